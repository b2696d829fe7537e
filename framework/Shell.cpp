#include "framework/Shell.h"

#include <csignal>
#include <unistd.h>

Shell::Shell()
{
    process_.setProgram("/bin/sh");
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    // Its own process group, so that stopping the command reaches what the shell started.
    process_.setChildProcessModifier([] { ::setpgid(0, 0); });
    QObject::connect(&process_, &QProcess::finished,
        [this](int exitCode, QProcess::ExitStatus status) { errorCode_ = status == QProcess::CrashExit ? 128 + exitCode : exitCode; });
    QObject::connect(&process_, &QProcess::errorOccurred, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            errorCode_ = 127;
    });
}

Shell::~Shell()
{
    Stop();
}

void Shell::Execute(const std::string& command)
{
    Stop();
    errorCode_ = 0;
    process_.setArguments({"-c", QString::fromStdString(command)});
    process_.start();
    if (mode_ == 0)
        process_.waitForFinished(-1);
}

bool Shell::IsRunning()
{
    // Notices an ended command even when no event loop ran since.
    if (process_.state() != QProcess::NotRunning)
        process_.waitForFinished(0);
    return process_.state() != QProcess::NotRunning;
}

void Shell::Stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    // The group, and the shell itself in case it has not made its group yet.
    const auto pid = static_cast<pid_t>(process_.processId());
    if (pid > 0)
        ::kill(-pid, SIGKILL);
    process_.kill();
    process_.waitForFinished(-1);
}
