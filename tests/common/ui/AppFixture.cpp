#include "common/ui/AppFixture.h"

#include "app/ui/App.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "platform/ui/Registry.h"

#include <QDir>

namespace quon::test {

void AppFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    previousFolder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Registry::setStorageFile(settingsFile());
    resetTablesToStart();
    RecoLog.clear();
}

void AppFixture::TearDown()
{
    stopProgram();
    Registry::setStorageFile({});
    QDir::setCurrent(previousFolder);
}

void AppFixture::startProgram()
{
    App::createWindows();
    running = true;
}

void AppFixture::stopProgram()
{
    if (!running)
        return;
    App::destroyWindows();
    running = false;
}

} // namespace quon::test
