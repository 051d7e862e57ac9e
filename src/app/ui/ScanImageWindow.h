// Window TScanImage (instance ScanImage).
#pragma once

#include <QWidget>

namespace quon {

class TScanImage : public QWidget {
    Q_OBJECT

public:
    explicit TScanImage(QWidget* parent = nullptr);
};

extern TScanImage* ScanImage;

} // namespace quon
