// The most memory the application holds when it downloads one long transcript: the real road
// from Search through Download to the saved file, line by line with timecodes. The fake service
// runs as a process of its own, so that the process's high-water mark of resident memory
// (getrusage) is the application's alone.
#include "App.h"
#include "FakeTools.h"
#include "GeneratedTranscript.h"
#include "HTTPSocket.h"
#include "MsgBox.h"
#include "SaveDialog.h"
#include "ServiceAddresses.h"
#include "Startup.h"
#include "Window1.h"

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {
constexpr const char* kAddress = "https://www.youtube.com/watch?v=Zp4Kq7wRt2E";
constexpr const char* kListTarget = "/timedtext?type=list&v=Zp4Kq7wRt2E";
constexpr const char* kTranscriptTarget = "/api/timedtext?&v=Zp4Kq7wRt2E&lang=de";
constexpr const char* kList = R"(<?xml version="1.0" encoding="utf-8" ?><transcript_list docid="1">)"
                              R"(<track id="0" name="" lang_code="de" lang_translated="German"/></transcript_list>)";
constexpr int kStartMilliseconds = 30000;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

double MaxResidentMegabytes()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return static_cast<double>(usage.ru_maxrss) * 1024.0 / kBytesPerMegabyte; // ru_maxrss counts KiB
}

// The fake timed-text service as a child process on free ports; it ends when its input closes.
class ServiceProcess {
public:
    ServiceProcess(const QString& authorityFile, const std::vector<std::pair<std::string, QString>>& answers)
    {
        QStringList arguments{"--authority", authorityFile, "--name", kTrackListHost, "--name", kTranscriptHost};
        for (const auto& [target, file] : answers)
            arguments << "--respond" << QString::fromStdString(target) << file;
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QUORVANE_FAKE_SERVICE, arguments);
        while (!process_.canReadLine() && process_.waitForReadyRead(kStartMilliseconds)) {
        }
        std::istringstream ready(process_.readLine().toStdString());
        std::string word;
        ready >> word >> plainPort_ >> tlsPort_;
        ok_ = word == "ready";
    }

    ~ServiceProcess()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(kStartMilliseconds))
            process_.kill();
    }

    bool Ok() const { return ok_; }
    int PlainPort() const { return plainPort_; }
    int TlsPort() const { return tlsPort_; }

private:
    QProcess process_;
    bool ok_ = false;
    int plainPort_ = 0, tlsPort_ = 0;
};

void DownloadPeakMemory(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString listFile = folder.filePath("list.xml"), answerFile = folder.filePath("answer.xml");
    std::ofstream(listFile.toStdString()) << kList;
    {
        std::ofstream answer(answerFile.toStdString());
        WriteGeneratedTranscript(answer, static_cast<int>(state.range(0)));
    }
    const ServiceProcess service(folder.filePath("authority.pem"), {{kListTarget, listFile}, {kTranscriptTarget, answerFile}});
    if (!service.Ok()) {
        state.SkipWithError("the fake service did not start");
        return;
    }
    HTTPSocket::TestRouteHost(kTrackListHost, service.PlainPort());
    HTTPSocket::TestRouteHost(kTranscriptHost, service.TlsPort());
    HTTPSocket::TestTrustCertificateAuthority(folder.filePath("authority.pem").toStdString());

    const FakeTools tools;
    std::vector<std::string> messages;
    SetMsgBoxHook([&](const std::string& text) { messages.push_back(text); });
    const std::string saved = folder.filePath("German.txt").toStdString();
    SetSaveDialogHook([&](const std::string&, const std::string&) { return saved; });

    _EarlyStartup();
    Window1& window = instance::Window1();
    window.TextField1().SetText(kAddress);
    window.PushButton2().Push();
    window.lineBox().SetValue(true);
    window.timecodeBox().SetValue(true);
    const double before = MaxResidentMegabytes();
    for (auto _ : state)
        window.PushButton1().Push();
    const double peak = MaxResidentMegabytes();

    if (!messages.empty())
        state.SkipWithError(("the download failed: " + messages.front()).c_str());
    state.counters["answer_MB"] = static_cast<double>(QFileInfo(answerFile).size()) / kBytesPerMegabyte;
    state.counters["file_MB"] = static_cast<double>(QFileInfo(QString::fromStdString(saved)).size()) / kBytesPerMegabyte;
    state.counters["rss_before_MB"] = before;
    state.counters["peak_rss_MB"] = peak;

    _DestroyWindows();
    _RuntimeRegisterAppObject(nullptr);
    _RunFinalizers();
    SetSaveDialogHook({});
    SetMsgBoxHook({});
    HTTPSocket::TestClearHooks();
}

// One download: the high-water mark only rises.
BENCHMARK(DownloadPeakMemory)->Arg(200000)->Iterations(1)->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
