#include "framework/ThreadCheck.h"

#include "framework/text/Exceptions.h"

#include <QCoreApplication>
#include <QThread>

void RequireMainThread()
{
    auto* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread())
        throw ThreadAccessingUIException();
}
