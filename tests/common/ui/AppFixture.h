// A fixture that starts the whole program's windows in a fresh temporary
// start folder with its own settings file, and answers dialogs from a script.
#pragma once

#include "platform/ui/Dialogs.h"

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace quon::test {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the windows (the main window reads the settings then).
    void startProgram();
    // Runs the at-exit saves and destroys the windows.
    void stopProgram();

    QString startFolder() const { return dir.path(); }
    QString settingsFile() const { return dir.filePath("registry.ini"); }

    QTemporaryDir dir;
    ScopedDialogs dialogs;
    QString previousFolder;
    bool running = false;
};

} // namespace quon::test
