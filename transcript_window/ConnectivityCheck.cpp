#include "transcript_window/Window1.h"

#include "app/App.h"
#include "framework/MsgBox.h"
#include "framework/Shell.h"

namespace {
// A public numeric address that answers echo requests; numeric, so no name look-up is needed.
constexpr const char* kReachableAddress = "1.1.1.1";
constexpr int kPollSliceMilliseconds = 25;
}

void Window1::Event_Open()
{
    Show();
    Shell shell;
    shell.SetMode(2);
    shell.Execute(std::string("ping -n -q -W 5 -c 1 ") + kReachableAddress);
    do
        instance::App().DoEvents(kPollSliceMilliseconds);
    while (shell.IsRunning());
    if (shell.ErrorCode() != 0)
        MsgBox("Quorvane cannot work without an Internet connection. Please check your connection prior to continuing.");
}
