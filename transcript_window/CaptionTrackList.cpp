#include "CaptionTrackList.h"

#include "Text.h"

std::vector<CaptionTrack> ParseCaptionTrackList(std::string_view answer)
{
    // A marker after the end of the opening element and after each track element.
    const auto pieces = Split(ReplaceAll(ReplaceAll(answer, "\">", "\">:::"), "\"/>", "\"/>:::"), ":::");

    // The first piece is the declaration and the opening element, the last the closing element.
    std::vector<CaptionTrack> tracks;
    for (std::size_t index = 1; index + 1 < pieces.size(); ++index) {
        std::string element = ReplaceAll(ReplaceAll(pieces[index], "<track id=\"", ""), "\" name=\"\" ", " ");
        const auto codeSplit = Split(element, "lang_code=\"");
        if (codeSplit.size() < 2)
            continue;
        // The text after lang_code=, there since lang_code=" is.
        const auto nameSplit = Split(Piece(Split(element, "lang_code="), 1), "lang_translated=\"");
        if (nameSplit.size() < 2)
            continue;
        std::string code = Split(codeSplit[1], "\"")[0];
        std::string name = Replace(Replace(nameSplit[1], "\"/>", ""), "\" lang_default=\"true", "");
        tracks.push_back({std::move(element), std::move(name), std::move(code)});
    }
    return tracks;
}
