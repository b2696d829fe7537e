#pragma once

#include "framework/MenuItem.h"

#include <memory>

// The application's one menu bar: File (New Window, About, Help) and Edit.
class MainMenuBar : public MenuBar {
public:
    MainMenuBar();

private:
    void Untitled0();
    void Untitled1();
};

namespace instance {
// The shared menu bar, built on first use.
std::shared_ptr<::MainMenuBar> MainMenuBar();
// Drops the shared reference at shut-down.
void _FinalizeMainMenuBar();
}
