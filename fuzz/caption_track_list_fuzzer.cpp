#include "transcript_window/CaptionTrackList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any answer of the track-list service, however malformed, is cut apart without a memory error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ParseCaptionTrackList(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
