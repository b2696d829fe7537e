#pragma once

#include <string>
#include <string_view>
#include <vector>

// One caption track of a video, as the language list shows it.
struct CaptionTrack {
    std::string element; // the track element, less its opening and an empty name attribute
    std::string name; // the language's display name (lang_translated)
    std::string code; // the language code that a transcript request sends (lang_code)
};

// The caption tracks of a track-list answer, in answer order, cut apart with literal markers.
// Values are taken as text, nothing decoded or trimmed. A piece that is not a track element
// holding lang_code=" and after it lang_translated=" gives no track.
std::vector<CaptionTrack> ParseCaptionTrackList(std::string_view answer);
