// Window TForm3 (instance Form3).
#pragma once

#include <QWidget>

namespace quon {

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);
};

extern TForm3* Form3;

} // namespace quon
