// Window TFrmSetBMP (instance FrmSetBMP).
#pragma once

#include <QWidget>

namespace quon {

class TFrmSetBMP : public QWidget {
    Q_OBJECT

public:
    explicit TFrmSetBMP(QWidget* parent = nullptr);
};

extern TFrmSetBMP* FrmSetBMP;

} // namespace quon
