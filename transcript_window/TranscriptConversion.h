#pragma once

#include <string>
#include <string_view>

enum class TranscriptForm { Paragraph, LineByLine, LineByLineWithTimecode };

// The file text of one transcript answer (UTF-8 bytes as received): every caption text, its
// line breaks and FD FF byte pairs made spaces, either followed by a space (paragraph) or on a
// line of its own, optionally after "[timecode]" and a tab. The answer is cut apart with literal
// rewrites and splits, so text of any other form is converted all the same; a caption cut off
// at the end of the answer is left out.
std::string ConvertTranscript(std::string_view answer, TranscriptForm form);
