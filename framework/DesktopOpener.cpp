#include "framework/DesktopOpener.h"

#include "framework/ProgramBoundary.h"

#include <QProcess>

void OpenWithDesktop(const QString& pathOrAddress)
{
    if (_RunningForClosedWindow())
        return;
    QProcess::startDetached("xdg-open", {pathOrAddress});
}
