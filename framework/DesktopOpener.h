#pragma once

#include <QString>

// Hands a file path or an address to the desktop's opener (xdg-open), as a single argument and
// without a shell; nothing is opened for code running for a window that has been closed. Qt's
// desktop services open nothing on platforms without such services (the
// offscreen one among them), so the framework calls the opener itself.
void OpenWithDesktop(const QString& pathOrAddress);
