#include "framework/Window.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test binary runs with one Qt application on the offscreen platform.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int status = RUN_ALL_TESTS();
    _DestroyWindows();
    return status;
}
