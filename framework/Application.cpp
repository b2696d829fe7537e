#include "Application.h"

#include "Runtime.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
Application* registered = nullptr;
}

void Application::DoEvents(int milliseconds)
{
    RequireMainThread();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void _RuntimeRegisterAppObject(Application* application)
{
    registered = application;
}

Application* _GetAppObject()
{
    return registered;
}
