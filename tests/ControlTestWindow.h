#pragma once

#include "framework/ControlCreation.h"
#include "framework/PropertyList.h"
#include "framework/Window.h"

#include <QApplication>
#include <QMainWindow>

#include <gtest/gtest.h>

#include <string>

// A plain 300 x 200 window to put controls on, shown and active so that keys and focus work.
class ControlTestWindow : public Window {
public:
    std::string ClassName() const override { return "ControlTestWindow.ControlTestWindow"; }

protected:
    void Layout() override { _SetProperties(*this, {{"Width", 300}, {"Height", 200}, {"Resizeable", false}, {"Visible", true}}); }
};

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = &Window::Construct<ControlTestWindow>();
        QApplication::setActiveWindow(window->TopLevelWidget());
    }
    void TearDown() override { _DestroyWindows(); }

    // Makes a control as a window's creation step does, applying the list to it.
    template <class T> T& Make(const std::string& name, const PropertyList& list = {})
    {
        T& control = Register<T>(*window, name);
        _SetProperties(control, list);
        return control;
    }

    Window* window = nullptr;
};
