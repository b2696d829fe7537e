#include "bench/ServiceProcess.h"

#include "transcript_window/ServiceAddresses.h"

#include <sys/resource.h>

#include <sstream>

namespace {
constexpr int kStartMilliseconds = 30000;
}

ServiceProcess::ServiceProcess(const QString& authorityFile, const std::vector<std::pair<std::string, QString>>& answers)
{
    QStringList arguments {"--authority", authorityFile, "--name", kTrackListHost, "--name", kTranscriptHost};
    for (const auto& [target, file] : answers)
        arguments << "--respond" << QString::fromStdString(target) << file;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QUORVANE_FAKE_SERVICE, arguments);
    while (!process_.canReadLine() && process_.waitForReadyRead(kStartMilliseconds)) {}
    std::istringstream ready(process_.readLine().toStdString());
    std::string word;
    ready >> word >> plainPort_ >> tlsPort_;
    ok_ = word == "ready";
}

ServiceProcess::~ServiceProcess()
{
    process_.closeWriteChannel();
    if (!process_.waitForFinished(kStartMilliseconds))
        process_.kill();
}

double MaxResidentMegabytes()
{
    rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss counts KiB
}
