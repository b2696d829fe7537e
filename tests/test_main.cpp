#include "framework/ProgramBoundary.h"
#include "framework/Runtime.h"
#include "framework/Window.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test binary runs with one Qt application on the offscreen platform, and with the
// runtime's report of exceptions that escape program code.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    _SetUnhandledExceptionReporter(_UnhandledException);
    int status = RUN_ALL_TESTS();
    _DestroyWindows();
    return status;
}
