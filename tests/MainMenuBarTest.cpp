#include "app/MainMenuBar.h"

#include <gtest/gtest.h>

namespace {
struct Expected {
    const char* name;
    const char* text;
    std::optional<std::string> shortcut;
};

void ExpectItems(const MenuItem& menu, std::initializer_list<Expected> items)
{
    ASSERT_EQ(menu.Count(), static_cast<int>(items.size())) << menu.Name();
    int i = 0;
    for (const Expected& expected : items) {
        const MenuItem& item = menu.Item(i++);
        EXPECT_EQ(item.Name(), expected.name);
        EXPECT_EQ(item.Text(), expected.text) << expected.name;
        EXPECT_EQ(item.KeyboardShortcut(), expected.shortcut) << expected.name;
        EXPECT_TRUE(item.AutoEnable()) << expected.name;
        EXPECT_TRUE(item.Visible()) << expected.name;
    }
}
}

TEST(MainMenuBar, HoldsFileThenEditWithTheirItemsInOrder)
{
    auto bar = instance::MainMenuBar();
    ExpectItems(*bar, {{"FileMenu", "&File", ""}, {"EditMenu", "&Edit", ""}});
    ExpectItems(*bar->Child("FileMenu"),
        {{"FileNewWindow", "New Window", "Cmd+N"}, {"FileAboutQuorvane", "About Quorvane", ""}, {"FileHelp", "Help", ""}});
    // The separators never had a shortcut set; Delete has an empty one.
    ExpectItems(*bar->Child("EditMenu"),
        {{"EditUndo", "&Undo", "Cmd+Z"}, {"EditSeparator1", "-", std::nullopt}, {"EditCut", "Cu&t", "Cmd+X"},
            {"EditCopy", "&Copy", "Cmd+C"}, {"EditPaste", "&Paste", "Cmd+V"}, {"EditClear", "&Delete", ""},
            {"EditSeparator2", "-", std::nullopt}, {"EditSelectAll", "Select &All", "Cmd+A"}});
    EXPECT_TRUE(bar->Child("EditMenu")->Item(1).IsSeparator());
}

TEST(MainMenuBar, IsBuiltOnceAndSharedUntilFinalized)
{
    auto first = instance::MainMenuBar();
    auto second = instance::MainMenuBar();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->_Lookup("EditSelectAll"), &first->Child("EditMenu")->Item(7));
    std::weak_ptr<MainMenuBar> watched = first;
    first.reset();
    second.reset();
    instance::_FinalizeMainMenuBar();
    EXPECT_TRUE(watched.expired());
    EXPECT_NE(instance::MainMenuBar(), nullptr);
}
