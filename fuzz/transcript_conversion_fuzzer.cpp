#include "tests/support/ConversionStepByStep.h"
#include "transcript_window/TranscriptConversion.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

// Any answer bytes give, in each form, the file text that the rewrites on the whole answer give:
// taking a long answer in chunks must not change a marker that straddles two of them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    for (const auto form : {TranscriptForm::Paragraph, TranscriptForm::LineByLine, TranscriptForm::LineByLineWithTimecode}) {
        if (ConvertTranscript(answer, form) != ConvertedStepByStep(answer, form))
            std::abort();
    }
    return 0;
}
