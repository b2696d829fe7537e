#include "app/MainMenuBar.h"

#include <optional>

namespace {
std::shared_ptr<MainMenuBar> shared;

// Separators never have their shortcut set; every other entry has one, "" included.
std::unique_ptr<MenuItem> Entry(const char* name, const char* text, std::optional<const char*> shortcut)
{
    auto item = std::make_unique<MenuItem>();
    item->SetName(name);
    item->SetAutoEnable(true);
    item->SetText(text);
    item->SetVisible(true);
    if (shortcut)
        item->SetKeyboardShortcut(*shortcut);
    return item;
}
}

MainMenuBar::MainMenuBar()
{
    Untitled0();
    Untitled1();
}

void MainMenuBar::Untitled0()
{
    Append(Entry("FileMenu", "&File", ""));
    Child("FileMenu")->Append(Entry("FileNewWindow", "New Window", "Cmd+N"));
    Child("FileMenu")->Append(Entry("FileAboutQuorvane", "About Quorvane", ""));
    Child("FileMenu")->Append(Entry("FileHelp", "Help", ""));
}

void MainMenuBar::Untitled1()
{
    Append(Entry("EditMenu", "&Edit", ""));
    Child("EditMenu")->Append(Entry("EditUndo", "&Undo", "Cmd+Z"));
    Child("EditMenu")->Append(Entry("EditSeparator1", "-", std::nullopt));
    Child("EditMenu")->Append(Entry("EditCut", "Cu&t", "Cmd+X"));
    Child("EditMenu")->Append(Entry("EditCopy", "&Copy", "Cmd+C"));
    Child("EditMenu")->Append(Entry("EditPaste", "&Paste", "Cmd+V"));
    Child("EditMenu")->Append(Entry("EditClear", "&Delete", ""));
    Child("EditMenu")->Append(Entry("EditSeparator2", "-", std::nullopt));
    Child("EditMenu")->Append(Entry("EditSelectAll", "Select &All", "Cmd+A"));
}

namespace instance {
std::shared_ptr<::MainMenuBar> MainMenuBar()
{
    if (!shared)
        shared = std::make_shared<::MainMenuBar>();
    return shared;
}

void _FinalizeMainMenuBar()
{
    shared.reset();
}
}
