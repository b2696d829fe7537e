#pragma once

#include <QProcess>

#include <string>

// Runs one command line through /bin/sh as a separate process. Its output is not kept.
class Shell {
public:
    Shell();
    // A command still running is killed with everything it started, and reaped.
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // 0: Execute waits for the command to end. Any other mode: Execute returns at once and the
    // caller polls IsRunning.
    int Mode() const { return mode_; }
    void SetMode(int mode) { mode_ = mode; }

    // Starts the command line, after ending any command this shell still runs.
    void Execute(const std::string& command);
    bool IsRunning();
    // The exit status of the last command once it has ended: 0 for success, 127 when the shell
    // could not be started, 128 plus the signal's number when the command died of a signal.
    int ErrorCode() const { return errorCode_; }

private:
    void Stop();

    QProcess process_;
    int mode_ = 0;
    int errorCode_ = 0;
};
