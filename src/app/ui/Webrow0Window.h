// Window TWebrow0 (instance Webrow0).
#pragma once

#include <QWidget>

namespace quon {

class TWebrow0 : public QWidget {
    Q_OBJECT

public:
    explicit TWebrow0(QWidget* parent = nullptr);
};

extern TWebrow0* Webrow0;

} // namespace quon
