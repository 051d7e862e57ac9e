// Window TGridBoard1 (instance GridBoard1).
#pragma once

#include <QWidget>

namespace quon {

class TGridBoard1 : public QWidget {
    Q_OBJECT

public:
    explicit TGridBoard1(QWidget* parent = nullptr);
};

extern TGridBoard1* GridBoard1;

} // namespace quon
