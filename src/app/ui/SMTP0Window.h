// Window TSMTP0 (instance SMTP0).
#pragma once

#include <QWidget>

namespace quon {

class TSMTP0 : public QWidget {
    Q_OBJECT

public:
    explicit TSMTP0(QWidget* parent = nullptr);
};

extern TSMTP0* SMTP0;

} // namespace quon
