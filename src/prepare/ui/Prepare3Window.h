// Window TPrepare3 (instance Prepare3).
#pragma once

#include <QWidget>

namespace quon {

class TPrepare3 : public QWidget {
    Q_OBJECT

public:
    explicit TPrepare3(QWidget* parent = nullptr);
};

extern TPrepare3* Prepare3;

} // namespace quon
