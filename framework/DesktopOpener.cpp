#include "DesktopOpener.h"

#include <QProcess>

void OpenWithDesktop(const QString& pathOrAddress)
{
    QProcess::startDetached("xdg-open", {pathOrAddress});
}
