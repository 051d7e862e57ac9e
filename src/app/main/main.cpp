// Quon OCR: turns printed Go diagrams into game records.
#include "app/ui/App.h"
#include "app/ui/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quon OCR");
    QApplication::setApplicationDisplayName("Quon OCR");
    QApplication::setApplicationVersion(QUON_VERSION);
    QApplication::setQuitOnLastWindowClosed(false);
    quon::App::createWindows();
    quon::Form1->show();
    const int rc = app.exec();
    quon::App::destroyWindows();
    return rc;
}
