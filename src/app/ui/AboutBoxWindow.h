// Window TAboutBox (instance AboutBox).
#pragma once

#include <QWidget>

namespace quon {

class TAboutBox : public QWidget {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

extern TAboutBox* AboutBox;

} // namespace quon
