// Window TFrmDgr (instance FrmDgr).
#pragma once

#include <QWidget>

namespace quon {

class TFrmDgr : public QWidget {
    Q_OBJECT

public:
    explicit TFrmDgr(QWidget* parent = nullptr);
};

extern TFrmDgr* FrmDgr;

} // namespace quon
