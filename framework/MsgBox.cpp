#include "framework/MsgBox.h"

#include "framework/ProgramBoundary.h"
#include "framework/Runtime.h"
#include "framework/ThreadCheck.h"

#include <QApplication>
#include <QMessageBox>

namespace {
std::function<void(const std::string&)>& Hook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}
}

void SetMsgBoxHook(std::function<void(const std::string& text)> hook)
{
    Hook() = std::move(hook);
}

void MsgBox(const std::string& text)
{
    RequireMainThread();
    if (_RunningForClosedWindow())
        return;
    if (Hook()) {
        Hook()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(_ApplicationDisplayName()), QString::fromStdString(text), QMessageBox::Ok,
        QApplication::activeWindow());
    const ProgramWait wait;
    box.exec();
}
