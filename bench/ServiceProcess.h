#pragma once

#include <QProcess>
#include <QString>

#include <string>
#include <utility>
#include <vector>

// The fake timed-text service as a child process on free ports, serving each target the body
// of its file; it ends when its input closes. Being a process of its own, it leaves the
// resident high-water mark of the benchmark's process to the application alone.
class ServiceProcess {
public:
    ServiceProcess(const QString& authorityFile, const std::vector<std::pair<std::string, QString>>& answers);
    ~ServiceProcess();
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool Ok() const { return ok_; }
    int PlainPort() const { return plainPort_; }
    int TlsPort() const { return tlsPort_; }

private:
    QProcess process_;
    bool ok_ = false;
    int plainPort_ = 0, tlsPort_ = 0;
};

// The process's resident high-water mark so far (getrusage), in MiB.
double MaxResidentMegabytes();
