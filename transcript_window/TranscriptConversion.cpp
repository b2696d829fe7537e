#include "TranscriptConversion.h"

#include "SecsToTimecode.h"
#include "Text.h"

namespace {

constexpr std::string_view separator = " ||| ";

struct Rewrite {
    std::string_view find;
    std::string_view replacement;
    bool everyOccurrence;
};

// In this order: each rewrite may meet text that an earlier one joined or made.
constexpr Rewrite rewrites[] = {
    {"/\\r/", "", true},
    {"/\\n/", "", true},
    {"<transcript>", "", false},
    {"</transcript>", "", false},
    {"<text start=\"", "", true},
    {"\" dur=\"", separator, true},
    {"\">", separator, true},
    {"</text>", separator, true},
    {"<?xml version=\"1.0\" encoding=\"utf-8\" ?>", "", false},
    {"&amp;#39;", "'", true},
    {"&amp;quot;", "\"", true},
};

// Reads the pieces of the text cut at the separator, as Split would give them, one at a time.
class Pieces {
public:
    explicit Pieces(std::string_view text) : text_(text) {}

    // The next piece that a separator ends; false once only the last piece is left.
    bool Next(std::string_view& piece)
    {
        const auto at = text_.find(separator, start_);
        if (at == std::string_view::npos)
            return false;
        piece = text_.substr(start_, at - start_);
        start_ = at + separator.size();
        return true;
    }

private:
    std::string_view text_;
    std::size_t start_ = 0;
};

// The caption text with each line ending and each FD FF byte pair made one space.
void AppendCaptionText(std::string& text, std::string_view caption)
{
    for (std::size_t index = 0; index < caption.size(); ++index) {
        const char c = caption[index];
        const char next = index + 1 < caption.size() ? caption[index + 1] : '\0';
        if (c == '\r' || c == '\n' || (c == '\xFD' && next == '\xFF')) {
            text += ' ';
            if ((c == '\r' && next == '\n') || c == '\xFD')
                ++index;
        } else {
            text += c;
        }
    }
}

}

std::string ConvertTranscript(std::string_view answer, TranscriptForm form)
{
    std::string rewritten(answer);
    for (const auto& rewrite : rewrites) {
        rewritten = rewrite.everyOccurrence ? ReplaceAll(rewritten, rewrite.find, rewrite.replacement)
                                            : Replace(rewritten, rewrite.find, rewrite.replacement);
    }

    // Each caption is three pieces: start, duration and text. Its text is written only when a
    // separator ends it, so a caption cut off by the end of the answer is left out.
    const std::string tab = Chr(9);
    const std::string ending = form == TranscriptForm::Paragraph ? " " : EndOfLine();
    std::string text;
    text.reserve(rewritten.size());
    Pieces pieces(rewritten);
    std::string_view start, duration, caption;
    while (pieces.Next(start) && pieces.Next(duration) && pieces.Next(caption)) {
        if (form == TranscriptForm::LineByLineWithTimecode)
            text.append("[").append(SecsToTimecode(Val(start))).append("]").append(tab);
        AppendCaptionText(text, caption);
        text += ending;
    }
    return text;
}
