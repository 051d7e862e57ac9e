// Window TForm4 (instance Form4).
#pragma once

#include <QWidget>

namespace quon {

class TForm4 : public QWidget {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
};

extern TForm4* Form4;

} // namespace quon
