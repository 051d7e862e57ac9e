// Window TFOptions (instance FOptions): "Dialog", the editor's one option.
#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace quon {

class TFOptions : public QWidget {
    Q_OBJECT

public:
    explicit TFOptions(QWidget* parent = nullptr);

    // "Exact coordinates": the point fields follow a drag as it goes.
    QCheckBox* CBExactCoord1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

extern TFOptions* FOptions;

} // namespace quon
