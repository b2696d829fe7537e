#pragma once

#include <cstddef>
#include <optional>
#include <regex>
#include <string>

// One match of a search: the matched bytes and where they begin in the searched text.
struct RegExMatch {
    std::string text;
    std::size_t position = 0; // byte offset
};

// The framework's regular expressions, in ECMAScript syntax, working on the bytes of the text.
class RegEx {
public:
    const std::string& SearchPattern() const;
    // Raises RuntimeException when the pattern is not a valid expression.
    void SearchPattern(const std::string& pattern);

    // The first match in text, or nothing.
    std::optional<RegExMatch> Search(const std::string& text) const;

private:
    std::string pattern_;
    std::regex expression_;
};
