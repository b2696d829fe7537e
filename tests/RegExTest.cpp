#include "framework/RegEx.h"
#include "framework/text/Exceptions.h"

#include <gtest/gtest.h>

namespace {
TEST(RegEx, FindsTheWatchParameterOnlyAfterAQuestionMark)
{
    RegEx expression;
    expression.SearchPattern("\\?v=");
    EXPECT_EQ(expression.SearchPattern(), "\\?v=");
    struct Case {
        std::string text;
        std::optional<std::size_t> position;
    } cases[] = {
        {"https://www.youtube.com/watch?v=abc&t=42", 29},
        {"watch?feature=share&v=abc", std::nullopt},
        {"https://youtu.be/abc", std::nullopt},
        {"", std::nullopt},
        {"\xC3\xA4?v=x?v=y", 2}, // a byte position, and the first match
        {"?V=abc", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto match = expression.Search(c.text);
        ASSERT_EQ(match.has_value(), c.position.has_value());
        if (match) {
            EXPECT_EQ(match->text, "?v=");
            EXPECT_EQ(match->position, *c.position);
        }
    }
}

TEST(RegEx, AnInvalidPatternIsRefusedAndTheOldOneKept)
{
    RegEx expression;
    expression.SearchPattern("a+");
    EXPECT_THROW(expression.SearchPattern("(unclosed"), RuntimeException);
    EXPECT_EQ(expression.SearchPattern(), "a+");
    ASSERT_TRUE(expression.Search("baaa"));
    EXPECT_EQ(expression.Search("baaa")->text, "aaa");
}
}
