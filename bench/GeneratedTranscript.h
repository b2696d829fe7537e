#pragma once

#include <cstddef>
#include <ostream>
#include <string>

// A transcript answer as the service sends it, with that many captions: one in 10 with an
// escaped apostrophe and one in 15 with a line feed. Written caption by caption, so that a
// long one need not be held whole.
void WriteGeneratedTranscript(std::ostream& out, int captions);

// The same answer as one string.
std::string GeneratedTranscript(int captions);

// The answer the conversion turns into the most text per byte, with timecodes: bare `">`
// separators, as many as fit in bytes.
void WriteBareSeparators(std::ostream& out, std::size_t bytes);
