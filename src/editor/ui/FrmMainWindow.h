// Window TFrmMain (instance FrmMain).
#pragma once

#include <QWidget>

namespace quon {

class TFrmMain : public QWidget {
    Q_OBJECT

public:
    explicit TFrmMain(QWidget* parent = nullptr);
};

extern TFrmMain* FrmMain;

} // namespace quon
