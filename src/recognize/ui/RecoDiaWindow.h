// Window TRecoDia (instance RecoDia).
#pragma once

#include <QWidget>

namespace quon {

class TRecoDia : public QWidget {
    Q_OBJECT

public:
    explicit TRecoDia(QWidget* parent = nullptr);
};

extern TRecoDia* RecoDia;

} // namespace quon
