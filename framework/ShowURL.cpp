#include "ShowURL.h"

#include "DesktopOpener.h"

void ShowURL(const std::string& address)
{
    OpenWithDesktop(QString::fromStdString(address));
}
