#pragma once

#include <cstddef>

// Where the video service publishes its timed-text interface.
inline constexpr const char* kTrackListHost = "video.google.com";
inline constexpr const char* kTranscriptHost = "www.youtube.com";

// Seconds without progress before a request gives up.
inline constexpr int kTrackListTimeout = 300;
inline constexpr int kTranscriptTimeout = 30;

// The most bytes a track-list answer may have. A list of every language the service offers
// holds well under 100 KB; a longer answer is no list and fails as a request.
inline constexpr std::size_t kTrackListBodyLimit = std::size_t {4} * 1024 * 1024;

// The most bytes a transcript answer may have. The longest videos the service hosts give
// transcripts of a few MB; a longer answer is no transcript and fails as a request.
inline constexpr std::size_t kTranscriptBodyLimit = std::size_t {16} * 1024 * 1024;
