#pragma once

// Where the video service publishes its timed-text interface.
inline constexpr const char* kTrackListHost = "video.google.com";
inline constexpr const char* kTranscriptHost = "www.youtube.com";

// Seconds without progress before a request gives up.
inline constexpr int kTrackListTimeout = 300;
inline constexpr int kTranscriptTimeout = 30;
