#pragma once

#include "framework/text/Text.h"
#include "transcript_window/SecsToTimecode.h"
#include "transcript_window/TranscriptConversion.h"

#include <string>
#include <string_view>
#include <vector>

// The transcript conversion as whole-text rewrites, one split and lists, step by step: what
// ConvertTranscript, which works on the answer in chunks, must give.
inline std::string ConvertedStepByStep(std::string_view answer, TranscriptForm form)
{
    std::string text(answer);
    text = ReplaceAll(text, "/\\r/", "");
    text = ReplaceAll(text, "/\\n/", "");
    text = Replace(text, "<transcript>", "");
    text = Replace(text, "</transcript>", "");
    text = ReplaceAll(text, "<text start=\"", "");
    text = ReplaceAll(text, "\" dur=\"", " ||| ");
    text = ReplaceAll(text, "\">", " ||| ");
    text = ReplaceAll(text, "</text>", " ||| ");
    text = Replace(text, "<?xml version=\"1.0\" encoding=\"utf-8\" ?>", "");
    text = ReplaceAll(text, "&amp;#39;", "'");
    text = ReplaceAll(text, "&amp;quot;", "\"");
    const auto pieces = Split(text, " ||| ");
    const int last = static_cast<int>(pieces.size()) - 1;
    std::vector<std::string> starts, captions;
    for (int index = 0; index <= last - 1; index += 3)
        starts.push_back(SecsToTimecode(Val(pieces[index])));
    for (int index = 2; index <= last - 1; index += 3)
        captions.push_back(ReplaceAll(ReplaceLineEndings(pieces[index], " "), ChrB(253) + ChrB(255), " "));
    std::string converted;
    for (std::size_t index = 0; index < captions.size(); ++index) {
        if (form == TranscriptForm::Paragraph)
            converted += captions[index] + " ";
        else if (form == TranscriptForm::LineByLine)
            converted += captions[index] + EndOfLine();
        else
            converted += "[" + starts[index] + "]" + Chr(9) + captions[index] + EndOfLine();
    }
    return converted;
}
