// Window TBezForm1 (instance BezForm1).
#pragma once

#include <QWidget>

namespace quon {

class TBezForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TBezForm1(QWidget* parent = nullptr);
};

extern TBezForm1* BezForm1;

} // namespace quon
