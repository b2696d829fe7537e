#pragma once

#include <string>

// The timecode hours:minutes:seconds, the seconds to hundredths (00:01:15.50), of a caption's
// start time. It works on the texts that Str and Format write, so rounded seconds never carry
// into the minutes (59.999 gives 00:00:60.00) and a negative time reads as 00:00:00.00.
std::string SecsToTimecode(double seconds);
