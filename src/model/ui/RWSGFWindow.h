// Window TRWSGF (instance RWSGF).
#pragma once

#include <QWidget>

namespace quon {

class TRWSGF : public QWidget {
    Q_OBJECT

public:
    explicit TRWSGF(QWidget* parent = nullptr);
};

extern TRWSGF* RWSGF;

} // namespace quon
