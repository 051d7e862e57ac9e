// Window TWebrow0 (instance Webrow0): a small browser for the program's own
// home page, bundled with the program so that it shows without a network;
// links out of it open in the desktop's browser or mail program.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace quon {

class TWebrow0 : public QWidget {
    Q_OBJECT

public:
    explicit TWebrow0(QWidget* parent = nullptr);

    // The bundled home page, or a line saying it is missing.
    void showHomePage();

    QTextBrowser* WebBrowser1 = nullptr;
};

extern TWebrow0* Webrow0;

} // namespace quon
