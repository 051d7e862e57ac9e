// Window TFrmGraphFilles (instance FrmGraphFilles).
#pragma once

#include <QWidget>

namespace quon {

class TFrmGraphFilles : public QWidget {
    Q_OBJECT

public:
    explicit TFrmGraphFilles(QWidget* parent = nullptr);
};

extern TFrmGraphFilles* FrmGraphFilles;

} // namespace quon
