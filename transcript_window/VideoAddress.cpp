#include "transcript_window/VideoAddress.h"

#include "framework/RegEx.h"
#include "framework/text/Text.h"

bool NamesVideo(const std::string& address)
{
    RegEx videoParameter;
    videoParameter.SearchPattern("\\?v=");
    return videoParameter.Search(address).has_value();
}

std::string VideoId(const std::string& address)
{
    return Piece(Split(address, "?v="), 1);
}
