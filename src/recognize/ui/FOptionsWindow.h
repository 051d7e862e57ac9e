// Window TFOptions (instance FOptions).
#pragma once

#include <QWidget>

namespace quon {

class TFOptions : public QWidget {
    Q_OBJECT

public:
    explicit TFOptions(QWidget* parent = nullptr);
};

extern TFOptions* FOptions;

} // namespace quon
