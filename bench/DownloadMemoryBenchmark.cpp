// The most memory the application holds, and how long its window waits, when it downloads one
// long transcript: the real road from Search through Download to the saved file, line by line
// with timecodes.
#include "app/App.h"
#include "app/Startup.h"
#include "bench/GeneratedTranscript.h"
#include "bench/ServiceProcess.h"
#include "framework/HTTPSocket.h"
#include "framework/MsgBox.h"
#include "framework/ProgramBoundary.h"
#include "framework/Runtime.h"
#include "framework/SaveDialog.h"
#include "tests/support/FakeTools.h"
#include "transcript_window/ServiceAddresses.h"
#include "transcript_window/Window1.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace {
constexpr const char* kAddress = "https://www.youtube.com/watch?v=Zp4Kq7wRt2E";
constexpr const char* kListTarget = "/timedtext?type=list&v=Zp4Kq7wRt2E";
constexpr const char* kTranscriptTarget = "/api/timedtext?&v=Zp4Kq7wRt2E&lang=de";
constexpr const char* kList = R"(<?xml version="1.0" encoding="utf-8" ?><transcript_list docid="1">)"
                              R"(<track id="0" name="" lang_code="de" lang_translated="German"/></transcript_list>)";
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;

// A generated transcript of 150 000 captions (14 MB).
void WriteLongTranscript(std::ostream& out)
{
    WriteGeneratedTranscript(out, 150000);
}

// The worst answer the transcript request admits.
void WriteBareSeparatorsAtTheCap(std::ostream& out)
{
    WriteBareSeparators(out, kTranscriptBodyLimit);
}

void DownloadPeakMemory(benchmark::State& state, void (*writeAnswer)(std::ostream&))
{
    QTemporaryDir folder;
    const QString listFile = folder.filePath("list.xml"), answerFile = folder.filePath("answer.xml");
    std::ofstream(listFile.toStdString()) << kList;
    {
        std::ofstream answer(answerFile.toStdString(), std::ios::binary);
        writeAnswer(answer);
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

// One download each: the high-water mark only rises, so only the first one run alone tells.
BENCHMARK_CAPTURE(DownloadPeakMemory, generated_150000, WriteLongTranscript)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DownloadPeakMemory, bare_separators_at_the_cap, WriteBareSeparatorsAtTheCap)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    _SetUnhandledExceptionReporter(_UnhandledException);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
