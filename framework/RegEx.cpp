#include "framework/RegEx.h"

#include "framework/text/Exceptions.h"

const std::string& RegEx::SearchPattern() const
{
    return pattern_;
}

void RegEx::SearchPattern(const std::string& pattern)
{
    try {
        expression_.assign(pattern, std::regex::ECMAScript);
    } catch (const std::regex_error& error) {
        throw RuntimeException("The search pattern \"" + pattern + "\" is not valid: " + error.what());
    }
    pattern_ = pattern;
}

std::optional<RegExMatch> RegEx::Search(const std::string& text) const
{
    std::smatch match;
    if (!std::regex_search(text, match, expression_))
        return std::nullopt;
    return RegExMatch {match.str(), static_cast<std::size_t>(match.position())};
}
