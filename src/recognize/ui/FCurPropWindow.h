// Window TFCurProp (instance FCurProp).
#pragma once

#include <QWidget>

namespace quon {

class TFCurProp : public QWidget {
    Q_OBJECT

public:
    explicit TFCurProp(QWidget* parent = nullptr);
};

extern TFCurProp* FCurProp;

} // namespace quon
