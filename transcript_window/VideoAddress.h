#pragma once

#include <string>

// Whether a watch-page address names a video: it holds "?v=".
bool NamesVideo(const std::string& address);

// The video id: the text after the first "?v=", up to a second one, taken as it stands.
// OutOfBoundsException when the address names no video.
std::string VideoId(const std::string& address);
