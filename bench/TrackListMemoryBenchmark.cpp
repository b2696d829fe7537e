// The most memory the application holds, and how long its window waits, when a search lists
// the longest track list the search admits: start-up, then Search with an answer of exactly
// kTrackListBodyLimit bytes.
#include "app/App.h"
#include "app/Startup.h"
#include "bench/ServiceProcess.h"
#include "framework/HTTPSocket.h"
#include "framework/MsgBox.h"
#include "framework/ProgramBoundary.h"
#include "framework/Runtime.h"
#include "tests/support/FakeTools.h"
#include "transcript_window/ServiceAddresses.h"
#include "transcript_window/Window1.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace {
constexpr const char* kAddress = "https://www.youtube.com/watch?v=Zp4Kq7wRt2E";
constexpr const char* kListTarget = "/timedtext?type=list&v=Zp4Kq7wRt2E";
constexpr const char* kOpening = R"(<?xml version="1.0" encoding="utf-8" ?><transcript_list docid="1">)";
constexpr const char* kClosing = "</transcript_list>";

// The shortest piece that becomes a row (29 bytes): a code "lang_translated=" and a name ">".
constexpr const char* kMinimalTrack = R"(lang_code="lang_translated=">)";
// A track as the service writes it.
constexpr const char* kServiceTrack = R"(<track id="0" name="" lang_code="de" lang_translated="German"/>)";
// The shortest piece, which becomes no row.
constexpr const char* kMarker = R"(">)";

// An answer of exactly kTrackListBodyLimit bytes: as many pieces as fit, the rest blanks.
std::string ListAnswer(const std::string& piece)
{
    const std::size_t frame = std::char_traits<char>::length(kOpening) + std::char_traits<char>::length(kClosing);
    std::string answer = kOpening;
    const std::size_t pieces = (kTrackListBodyLimit - frame) / piece.size();
    answer.reserve(kTrackListBodyLimit);
    for (std::size_t i = 0; i < pieces; ++i)
        answer += piece;
    answer.append(kTrackListBodyLimit - frame - pieces * piece.size(), ' ');
    return answer + kClosing;
}

void SearchPeakMemory(benchmark::State& state, const char* piece)
{
    QTemporaryDir folder;
    const QString listFile = folder.filePath("list.xml");
    std::ofstream(listFile.toStdString(), std::ios::binary) << ListAnswer(piece);
    const ServiceProcess service(folder.filePath("authority.pem"), {{kListTarget, listFile}});
    if (!service.Ok()) {
        state.SkipWithError("the fake service did not start");
        return;
    }
    HTTPSocket::TestRouteHost(kTrackListHost, service.PlainPort());

    const FakeTools tools;
    std::vector<std::string> messages;
    SetMsgBoxHook([&](const std::string& text) { messages.push_back(text); });

    _EarlyStartup();
    Window1& window = instance::Window1();
    window.Show();
    window.TextField1().SetText(kAddress);
    const double before = MaxResidentMegabytes();
    for (auto _ : state)
        window.PushButton2().Push();
    const double peak = MaxResidentMegabytes();

    state.counters["rows"] = window.Listbox1().ListCount();
    state.counters["messages"] = static_cast<double>(messages.size());
    state.counters["rss_before_MB"] = before;
    state.counters["peak_rss_MB"] = peak;

    _DestroyWindows();
    _RuntimeRegisterAppObject(nullptr);
    _RunFinalizers();
    SetMsgBoxHook({});
    HTTPSocket::TestClearHooks();
}

// One search each: the high-water mark only rises, so only the first one run alone tells.
BENCHMARK_CAPTURE(SearchPeakMemory, minimal_tracks, kMinimalTrack)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchPeakMemory, service_tracks, kServiceTrack)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchPeakMemory, markers_only, kMarker)->Iterations(1)->Unit(benchmark::kMillisecond);
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
