#include "transcript_window/TranscriptConversion.h"

#include "framework/text/Text.h"
#include "transcript_window/SecsToTimecode.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::string_view separator = " ||| ";

struct Rewrite {
    std::string_view find;
    std::string_view replacement;
    bool everyOccurrence;
};

// In this order, each on the result of the one before: a rewrite may meet text that an
// earlier one joined or made.
constexpr std::array<Rewrite, 11> rewrites = {{
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
}};

// One rewrite on a text that arrives in chunks, giving what ReplaceAll (or Replace) gives on
// the whole text: the end of a chunk that could begin an occurrence waits for the next chunk.
class ChunkRewrite {
public:
    explicit ChunkRewrite(const Rewrite& rewrite) : rewrite_(rewrite) {}

    // Appends the rewritten text of the chunks fed so far, less the end held back. The last
    // chunk ends the text, so nothing is held back then.
    void Feed(std::string_view chunk, bool last, std::string& out)
    {
        if (done_) {
            out.append(chunk);
            return;
        }
        pending_.append(chunk);
        const std::string_view text = pending_;
        std::size_t start = 0;
        for (auto at = text.find(rewrite_.find); at != std::string_view::npos; at = text.find(rewrite_.find, start)) {
            out.append(text.substr(start, at - start)).append(rewrite_.replacement);
            start = at + rewrite_.find.size();
            if (!rewrite_.everyOccurrence) {
                done_ = true;
                break;
            }
        }
        const auto held = last || done_ ? 0 : std::min(rewrite_.find.size() - 1, text.size() - start);
        out.append(text.substr(start, text.size() - start - held));
        pending_.erase(0, text.size() - held);
    }

private:
    Rewrite rewrite_;
    std::string pending_;
    bool done_ = false;
};

// The answer after the rewrites, which run one after the other on each chunk of it while that
// chunk is in the processor's cache.
std::string Rewritten(std::string_view answer)
{
    constexpr std::size_t chunkSize = 4 * 1024;
    std::vector<ChunkRewrite> stages(rewrites.begin(), rewrites.end());
    std::array<std::string, rewrites.size() - 1> between;
    std::string rewritten;
    rewritten.reserve(answer.size());
    for (std::size_t start = 0;; start += chunkSize) {
        const bool last = answer.size() - start <= chunkSize;
        std::string_view chunk = answer.substr(start, chunkSize);
        for (std::size_t stage = 0; stage < between.size(); ++stage) {
            between[stage].clear();
            stages[stage].Feed(chunk, last, between[stage]);
            chunk = between[stage];
        }
        stages.back().Feed(chunk, last, rewritten);
        if (last)
            return rewritten;
    }
}

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
    std::size_t start = 0;
    for (auto at = caption.find("\xFD\xFF"); at != std::string_view::npos; at = caption.find("\xFD\xFF", start)) {
        AppendReplacingLineEndings(text, caption.substr(start, at - start), " ");
        text.append(" ");
        start = at + 2;
    }
    AppendReplacingLineEndings(text, caption.substr(start), " ");
}

}

std::string ConvertTranscript(std::string_view answer, TranscriptForm form)
{
    const std::string rewritten = Rewritten(answer);

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
