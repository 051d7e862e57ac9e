// Window TFInfo (instance FInfo): "Info", the text listing of the digit set.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace quon {

class TFInfo : public QWidget {
    Q_OBJECT

public:
    explicit TFInfo(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BOK1 = nullptr; // "OK": hides the window
};

extern TFInfo* FInfo;

} // namespace quon
