// Window TScale1 (instance Scale1).
#pragma once

#include <QWidget>

namespace quon {

class TScale1 : public QWidget {
    Q_OBJECT

public:
    explicit TScale1(QWidget* parent = nullptr);
};

extern TScale1* Scale1;

} // namespace quon
