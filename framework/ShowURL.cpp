#include "framework/ShowURL.h"

#include "framework/DesktopOpener.h"

void ShowURL(const std::string& address)
{
    OpenWithDesktop(QString::fromStdString(address));
}
