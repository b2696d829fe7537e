#include "transcript_window/SecsToTimecode.h"

#include "framework/text/Text.h"

std::string SecsToTimecode(double seconds)
{
    std::string hours = "00";
    std::string minutes = "00";
    std::string secs;
    if (seconds < 60) {
        secs = Str(seconds);
    } else {
        minutes = Str(seconds / 60);
        // The whole minutes are the digits before the point, never rounded up.
        if (const auto point = minutes.find('.'); point != std::string::npos)
            minutes.resize(point);
        minutes = Format(Val(minutes), "00");
        secs = Str(seconds - Val(minutes) * 60);
    }
    if (Val(secs) < 10)
        secs = "0" + secs;
    if (Val(minutes) >= 60) {
        hours = Str(Floor(Val(minutes) / 60));
        hours = Format(Val(hours), "0");
        minutes = Str(Val(minutes) - Val(hours) * 60);
    }
    if (hours != "00" && Val(hours) < 10)
        hours = "0" + hours;
    secs = Format(Val(secs), "00.00");
    minutes = Format(Val(minutes), "00");
    return hours.append(":").append(minutes).append(":").append(secs);
}
