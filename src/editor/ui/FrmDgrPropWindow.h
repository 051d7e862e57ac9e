// Window TFrmDgrProp (instance FrmDgrProp).
#pragma once

#include <QWidget>

namespace quon {

class TFrmDgrProp : public QWidget {
    Q_OBJECT

public:
    explicit TFrmDgrProp(QWidget* parent = nullptr);
};

extern TFrmDgrProp* FrmDgrProp;

} // namespace quon
