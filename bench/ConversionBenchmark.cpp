#include "PeakMemory.h"
#include "Text.h"
#include "TranscriptConversion.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

// A transcript answer as the service sends it, one caption in 10 with an escaped apostrophe
// and one in 15 with a line feed. Made once for each size.
const std::string& Answer(int captions)
{
    static std::map<int, std::string> answers;
    auto& answer = answers[captions];
    if (answer.empty()) {
        answer = "<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript>";
        for (int index = 0; index < captions; ++index) {
            std::string text = "and this is what the speaker says in caption " + Str(index);
            if (index % 10 == 0)
                text += ", isn&amp;#39;t it";
            if (index % 15 == 0)
                text += "\nbefore the next line";
            answer += "<text start=\"" + Str(index * 2.37) + "\" dur=\"" + Str(2.37 + index % 3) + "\">" + text + "</text>";
        }
        answer += "</transcript>";
    }
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
void ConversionPeakMemory(benchmark::State& state, TranscriptForm form)
{
    const auto& answer = Answer(static_cast<int>(state.range(0)));
    double perAnswerByte = 0;
    for (auto _ : state) {
        const PeakMemory peak;
        benchmark::DoNotOptimize(ConvertTranscript(answer, form));
        perAnswerByte = static_cast<double>(answer.size() + peak.Bytes()) / static_cast<double>(answer.size());
    }
    state.counters["answer_bytes"] = static_cast<double>(answer.size());
    state.counters["peak_per_answer_byte"] = perAnswerByte;
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

BENCHMARK_MAIN();
