// The main of every window test: a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quon OCR");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
