#include "transcript_window/CaptionTrackList.h"

#include "framework/text/Text.h"

std::vector<CaptionTrack> ParseCaptionTrackList(std::string_view answer)
{
    // A marker after the end of the opening element and after each track element.
    const std::string marked = ReplaceAll(ReplaceAll(answer, "\">", "\">:::"), "\"/>", "\"/>:::");
    constexpr std::string_view kMarker = ":::";

    // The pieces between markers, as a split at every marker gives them, are read in place: an
    // answer of nothing but markers would otherwise hold a string for every two bytes. The piece
    // before the first marker is the declaration and the opening element, the one after the
    // last the closing element.
    std::vector<CaptionTrack> tracks;
    const std::string_view text = marked;
    for (auto start = text.find(kMarker), end = start; start != std::string_view::npos; start = end) {
        start += kMarker.size();
        end = text.find(kMarker, start);
        if (end == std::string_view::npos)
            break;
        std::string element = ReplaceAll(ReplaceAll(text.substr(start, end - start), "<track id=\"", ""), "\" name=\"\" ", " ");
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
