// Window TFInfo (instance FInfo).
#pragma once

#include <QWidget>

namespace quon {

class TFInfo : public QWidget {
    Q_OBJECT

public:
    explicit TFInfo(QWidget* parent = nullptr);
};

extern TFInfo* FInfo;

} // namespace quon
