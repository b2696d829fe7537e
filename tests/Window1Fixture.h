#pragma once

#include "Picture.h"
#include "Window1.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// Main windows built with no picture files among the resources, so that no test fills the
// pictures' caches but the one that means to.
class Window1Test : public ::testing::Test {
protected:
    void SetUp() override { SetAppResourceFolder(resources_.path().toStdString()); }
    void TearDown() override
    {
        _DestroyWindows();
        SetAppResourceFolder("");
    }

    QTemporaryDir resources_;
};
