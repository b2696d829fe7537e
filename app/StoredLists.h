#pragma once

// Building blocks of the declared layouts: the runs of entries that many stored lists share, in
// their stored order.
#include "framework/Window.h"

#include <initializer_list>
#include <string>

namespace stored {
// clang-format off
using namespace std::string_literals;

inline constexpr Color kBlack = RGB(0, 0, 0);
inline constexpr Color kWhite = RGB(255, 255, 255);

struct Box {
    int left, top, width, height;
};

inline PropertyList Join(std::initializer_list<PropertyList> parts)
{
    PropertyList list;
    for (const PropertyList& part : parts)
        list.insert(list.end(), part.begin(), part.end());
    return list;
}

// The entries that open every list of a boxed control: its name, no index, its box, its locks
// to the top left corner and no tab panel.
inline PropertyList Placed(const std::string& name, Box box)
{
    return {{"Name", name},          {"Index", kNoIndex},      {"Left", box.left},      {"Top", box.top},
            {"Width", box.width},    {"Height", box.height},   {"LockLeft", true},      {"LockTop", true},
            {"LockRight", false},    {"LockBottom", false},    {"TabPanelIndex", 0}};
}

inline PropertyList Font(float size, bool italic = false)
{
    return {{"TextFont", "System"s}, {"TextSize", size}, {"TextUnit", FontUnits{0}},
            {"Bold", false},         {"Italic", italic}, {"Underline", false}};
}

inline const PropertyList kNoDataBinding = {{"DataSource", ""s}, {"DataField", ""s}};
inline const PropertyList kOnTheWindow = {{"InitialParent", ""s}};

// What tells one window's list from another's; the rest is the same for every window.
struct WindowLook {
    int width, height;
    std::string title;
    bool resizeable, maximizeButton, composite, visible;
};

inline PropertyList WindowList(const WindowLook& look)
{
    return {{"Width", look.width},        {"Height", look.height},           {"MinWidth", 64},
            {"MinHeight", 64},            {"MaxWidth", 32000},               {"MaxHeight", 32000},
            {"Frame", 0},                 {"Title", look.title},             {"CloseButton", true},
            {"Resizeable", look.resizeable}, {"MaximizeButton", look.maximizeButton}, {"MinimizeButton", true},
            {"FullScreenButton", false},  {"Composite", look.composite},     {"MacProcID", 0},
            {"Placement", 0},             {"Visible", look.visible},         {"LiveResize", true},
            {"FullScreen", false},        {"HasBackColor", false},           {"BackColor", kWhite},
            {"MenuBarVisible", true}};
}

// A canvas on the window: it takes no focus and lets the window show through.
inline PropertyList CanvasList(const std::string& name, Box box, int tabIndex)
{
    return Join({Placed(name, box),
                 {{"TabIndex", tabIndex}, {"TabStop", true}, {"Visible", true}, {"HelpTag", ""s}, {"AutoDeactivate", true},
                  {"Enabled", true}, {"UseFocusRing", true}, {"AcceptFocus", false}, {"AcceptTabs", false},
                  {"DoubleBuffer", false}, {"EraseBackground", true}, {"Transparent", true}},
                 kOnTheWindow});
}
// clang-format on
}
