// The program's windows: created once at start in a fixed order, each into
// its global instance, shown and hidden after that, and destroyed at the end.
#pragma once

#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace quon {

class App {
public:
    // Creates the 34 windows in order. The first is the main window.
    static void createWindows();
    // Runs the at-exit saves (reverse creation order), once.
    static void shutdown();
    // shutdown(), then destroys every window and clears the instances.
    static void destroyWindows();

    // A window registers what it must save when the program ends; these run
    // in reverse order of registration, so a window is saved while the
    // windows it reads still exist.
    static void atShutdown(std::function<void()> save);

    // Class names of the windows in the order they were created.
    static QStringList creationOrder();
    static const std::vector<QWidget*>& windows();
};

} // namespace quon
