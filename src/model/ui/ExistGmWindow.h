// Window TExistGm (instance ExistGm).
#pragma once

#include <QWidget>

namespace quon {

class TExistGm : public QWidget {
    Q_OBJECT

public:
    explicit TExistGm(QWidget* parent = nullptr);
};

extern TExistGm* ExistGm;

} // namespace quon
