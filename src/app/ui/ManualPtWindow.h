// Window TManualPt (instance ManualPt).
#pragma once

#include <QWidget>

namespace quon {

class TManualPt : public QWidget {
    Q_OBJECT

public:
    explicit TManualPt(QWidget* parent = nullptr);
};

extern TManualPt* ManualPt;

} // namespace quon
