// Window TNumOpt (instance NumOpt).
#pragma once

#include <QWidget>

namespace quon {

class TNumOpt : public QWidget {
    Q_OBJECT

public:
    explicit TNumOpt(QWidget* parent = nullptr);
};

extern TNumOpt* NumOpt;

} // namespace quon
