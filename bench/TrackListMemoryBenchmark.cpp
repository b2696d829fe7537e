// The most memory the application holds, and how long its window waits, when a search lists
// the longest track list the search admits: start-up, then Search with an answer of exactly
// kTrackListBodyLimit bytes, then the list's first drawing.
#include "app/App.h"
#include "app/Startup.h"
#include "bench/ServiceProcess.h"
#include "framework/HTTPSocket.h"
#include "framework/Listbox.h"
#include "framework/MsgBox.h"
#include "framework/ProgramBoundary.h"
#include "framework/Runtime.h"
#include "tests/support/FakeTools.h"
#include "transcript_window/ServiceAddresses.h"
#include "transcript_window/Window1.h"

#include <QApplication>
#include <QElapsedTimer>
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
// One track whose name is a letter and as many combining marks (an acute accent, two bytes)
// as fit: the costliest text to lay out and draw.
constexpr const char* kLongNameStart = R"(<track id="0" name="" lang_code="xx" lang_translated="a)";
constexpr const char* kCombiningMark = "\u0301";
constexpr const char* kLongNameEnd = R"("/>)";

// An answer of exactly kTrackListBodyLimit bytes: the start, as many pieces as fit, the end,
// then blanks.
std::string ListAnswer(const std::string& start, const std::string& piece, const std::string& end)
{
    const std::size_t frame
        = std::char_traits<char>::length(kOpening) + start.size() + end.size() + std::char_traits<char>::length(kClosing);
    std::string answer = kOpening + start;
    const std::size_t pieces = (kTrackListBodyLimit - frame) / piece.size();
    answer.reserve(kTrackListBodyLimit);
    for (std::size_t i = 0; i < pieces; ++i)
        answer += piece;
    answer += end;
    answer.append(kTrackListBodyLimit - frame - pieces * piece.size(), ' ');
    return answer + kClosing;
}

void SearchPeakMemory(benchmark::State& state, const char* start, const char* piece, const char* end)
{
    QTemporaryDir folder;
    const QString listFile = folder.filePath("list.xml");
    std::ofstream(listFile.toStdString(), std::ios::binary) << ListAnswer(start, piece, end);
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
    // What the event loop does next: lay out and draw the rows.
    QElapsedTimer painting;
    painting.start();
    QApplication::processEvents();
    window.Listbox1().Widget()->grab();
    const auto paintMilliseconds = static_cast<double>(painting.nsecsElapsed()) / 1e6;
    const double peak = MaxResidentMegabytes();

    state.counters["paint_ms"] = paintMilliseconds;
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
BENCHMARK_CAPTURE(SearchPeakMemory, minimal_tracks, "", kMinimalTrack, "")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchPeakMemory, service_tracks, "", kServiceTrack, "")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchPeakMemory, markers_only, "", kMarker, "")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchPeakMemory, combining_marks_name, kLongNameStart, kCombiningMark, kLongNameEnd)
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
