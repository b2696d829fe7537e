#include "framework/MsgBox.h"
#include "framework/ProgramBoundary.h"
#include "framework/text/Exceptions.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
struct Shown {
    std::vector<std::string> texts;
    Shown()
    {
        SetMsgBoxHook([this](const std::string& text) { texts.push_back(text); });
    }
    ~Shown() { SetMsgBoxHook({}); }
};
}

TEST(Runtime, ExceptionEscapingProgramCodeIsReportedOnce)
{
    Shown shown;
    EXPECT_FALSE(CallProgram([] { throw NilObjectException(); }));
    ASSERT_EQ(shown.texts.size(), 1u);
    EXPECT_NE(shown.texts[0].find("NilObjectException"), std::string::npos);
    EXPECT_TRUE(CallProgram([] {}));
    EXPECT_EQ(shown.texts.size(), 1u);
}

TEST(Runtime, ExceptionsOutsideTheFrameworkClassesAreReportedAsRuntimeExceptions)
{
    struct NotStandard {};
    const struct {
        std::function<void()> code;
        std::string message;
    } cases[] = {
        {[] { throw std::out_of_range("index 7"); }, "index 7"},
        {[] { throw NotStandard(); }, "An unknown exception"},
        {[] { throw 42; }, "An unknown exception"},
    };
    for (const auto& c : cases) {
        Shown shown;
        EXPECT_FALSE(CallProgram(c.code));
        EXPECT_EQ(shown.texts,
            std::vector<std::string> {
                "An exception of class RuntimeException was not handled. The application must shut down.\n\n" + c.message});
        EXPECT_TRUE(CallProgram([] {}));
        EXPECT_EQ(ProgramCallDepth(), 0);
    }
}

TEST(Runtime, IdleActionsWaitForProgramCodeToReturn)
{
    bool ran = false;
    CallProgram([&] {
        EXPECT_EQ(ProgramCallDepth(), 1);
        WhenProgramIdle([&] { ran = true; });
        EXPECT_FALSE(ran);
    });
    EXPECT_EQ(ProgramCallDepth(), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}
