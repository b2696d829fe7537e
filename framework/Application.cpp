#include "framework/Application.h"

#include "framework/ThreadCheck.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

namespace {
Application* registered = nullptr;
}

void Application::DoEvents(int milliseconds)
{
    RequireMainThread();
    const QDeadlineTimer slice(milliseconds, Qt::PreciseTimer);
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    // Once the application has been asked to quit, Qt runs no loop: a caller polling in slices
    // would spin instead of waiting.
    if (!slice.hasExpired())
        std::this_thread::sleep_for(std::chrono::nanoseconds(slice.remainingTimeNSecs()));
}

void _RuntimeRegisterAppObject(Application* application)
{
    registered = application;
}

Application* _GetAppObject()
{
    return registered;
}
