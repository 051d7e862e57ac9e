// Window TFrmTools (instance FrmTools).
#pragma once

#include <QWidget>

namespace quon {

class TFrmTools : public QWidget {
    Q_OBJECT

public:
    explicit TFrmTools(QWidget* parent = nullptr);
};

extern TFrmTools* FrmTools;

} // namespace quon
