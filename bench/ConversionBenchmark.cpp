#include "bench/GeneratedTranscript.h"
#include "bench/PeakMemory.h"
#include "transcript_window/ServiceAddresses.h"
#include "transcript_window/TranscriptConversion.h"

#include <benchmark/benchmark.h>

#include <map>
#include <sstream>
#include <string>

namespace {

// Made once for each size.
const std::string& Answer(int captions)
{
    static std::map<int, std::string> answers;
    auto& answer = answers[captions];
    if (answer.empty())
        answer = GeneratedTranscript(captions);
    return answer;
}

// Captions of three bare separators (each "> becomes one), with neither start nor text: a
// 6-byte caption gives a 15-byte line with its timecode, the most the conversion holds per byte.
const std::string& BareCaptions(int captions)
{
    static std::map<int, std::string> answers;
    auto& answer = answers[captions];
    if (answer.empty()) {
        std::ostringstream out;
        WriteBareSeparators(out, 6 * static_cast<std::size_t>(captions));
        answer = std::move(out).str();
    }
    return answer;
}

// The worst answer the transcript request admits.
const std::string& BareSeparatorsAtTheCap()
{
    static const std::string answer = [] {
        std::ostringstream out;
        WriteBareSeparators(out, kTranscriptBodyLimit);
        return std::move(out).str();
    }();
    return answer;
}

void Conversion(benchmark::State& state, TranscriptForm form)
{
    const auto& answer = Answer(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertTranscript(answer, form));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * answer.size()));
}

// The most memory the conversion holds at once, the answer included, per byte of answer.
void ConversionPeakMemory(benchmark::State& state, TranscriptForm form, const std::string& (*made)(int) = Answer)
{
    const auto& answer = made(static_cast<int>(state.range(0)));
    double perAnswerByte = 0;
    for (auto _ : state) {
        const PeakMemory peak;
        benchmark::DoNotOptimize(ConvertTranscript(answer, form));
        perAnswerByte = static_cast<double>(answer.size() + peak.Bytes()) / static_cast<double>(answer.size());
    }
    state.counters["answer_bytes"] = static_cast<double>(answer.size());
    state.counters["peak_per_answer_byte"] = perAnswerByte;
}

// How long the window waits for the conversion of the worst answer admitted, and the most
// memory it holds meanwhile, the answer included.
void WorstAdmittedAnswer(benchmark::State& state)
{
    const auto& answer = BareSeparatorsAtTheCap();
    std::size_t peakBytes = 0;
    for (auto _ : state) {
        const PeakMemory peak;
        benchmark::DoNotOptimize(ConvertTranscript(answer, TranscriptForm::LineByLineWithTimecode));
        peakBytes = answer.size() + peak.Bytes();
    }
    state.counters["answer_MB"] = static_cast<double>(answer.size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = static_cast<double>(peakBytes) / (1024.0 * 1024.0);
}

void Sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);
}

}

BENCHMARK_CAPTURE(Conversion, paragraph, TranscriptForm::Paragraph)->Apply(Sizes);
BENCHMARK_CAPTURE(Conversion, line_by_line, TranscriptForm::LineByLine)->Apply(Sizes);
BENCHMARK_CAPTURE(Conversion, with_timecode, TranscriptForm::LineByLineWithTimecode)->Apply(Sizes);
BENCHMARK_CAPTURE(ConversionPeakMemory, paragraph, TranscriptForm::Paragraph)->Apply(Sizes)->Iterations(1);
BENCHMARK_CAPTURE(ConversionPeakMemory, line_by_line, TranscriptForm::LineByLine)->Apply(Sizes)->Iterations(1);
BENCHMARK_CAPTURE(ConversionPeakMemory, with_timecode, TranscriptForm::LineByLineWithTimecode)->Apply(Sizes)->Iterations(1);
BENCHMARK_CAPTURE(ConversionPeakMemory, bare_captions_with_timecode, TranscriptForm::LineByLineWithTimecode, BareCaptions)
    ->Apply(Sizes)
    ->Iterations(1);

BENCHMARK(WorstAdmittedAnswer)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
