#pragma once

#include "app/Startup.h"
#include "framework/Application.h"
#include "framework/HTTPSocket.h"
#include "framework/MsgBox.h"
#include "framework/Picture.h"
#include "framework/SaveDialog.h"
#include "framework/Window.h"
#include "tests/support/FakeTools.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// The desktop as a test meets it: fake desktop tools first on PATH (ping answers at once),
// message boxes recorded instead of shown, save dialogs answered by the test (cancelled unless
// it says otherwise), and no picture files, so that no test fills the pictures' caches but the
// one that means to.
class FakeDesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAppResourceFolder(resources_.path().toStdString());
        SetMsgBoxHook([this](const std::string& text) { messages.push_back(text); });
        SetSaveDialogHook([this](const std::string& filter, const std::string& proposedPath) -> std::optional<std::string> {
            dialogs.push_back({filter, proposedPath});
            if (answers.empty())
                return std::nullopt;
            std::optional<std::string> answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
    }

    void TearDown() override
    {
        _DestroyWindows();
        _RuntimeRegisterAppObject(nullptr);
        HTTPSocket::TestClearHooks();
        SetSaveDialogHook({});
        SetMsgBoxHook({});
        SetAppResourceFolder("");
    }

    struct Dialog {
        std::string filter, proposedPath;
    };

    FakeTools tools;
    QTemporaryDir resources_;
    std::vector<std::string> messages;
    std::vector<Dialog> dialogs;
    // What the next save dialogs give: a path, or nothing for Cancel.
    std::vector<std::optional<std::string>> answers;
};

// The program after its early start-up: file type, application object, menu bar and handlers.
class ProgramTest : public FakeDesktopTest {
protected:
    void SetUp() override
    {
        FakeDesktopTest::SetUp();
        _EarlyStartup();
    }

    void TearDown() override
    {
        FakeDesktopTest::TearDown();
        _RunFinalizers();
    }
};
