#include "framework/Application.h"
#include "framework/CheckBox.h"
#include "framework/Label.h"
#include "framework/Line.h"
#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/PushButton.h"
#include "framework/TextArea.h"
#include "framework/TextField.h"
#include "framework/text/Exceptions.h"
#include "tests/ControlTestWindow.h"

#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <thread>
#include <vector>

using namespace std::string_literals;

namespace {
// A call made from another thread, and what must still hold on the main thread after it was refused.
struct Case {
    std::string name;
    std::function<void()> call;
    std::function<void()> unchanged = [] {};
};

// Each call runs on a thread of its own and must raise ThreadAccessingUIException, leaving the
// state as it was and making no widget.
void ExpectEachRefused(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const qsizetype widgetsBefore = QApplication::allWidgets().size();
        bool refused = false;
        std::thread([&] {
            try {
                c.call();
            } catch (const ThreadAccessingUIException&) {
                refused = true;
            }
        }).join();
        EXPECT_TRUE(refused);
        EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
        c.unchanged();
    }
}

class ThreadAccessTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        field = &Make<TextField>("field", {{"Text", "before"s}});
        area = &Make<TextArea>("area", {{"Text", "before"s}});
        list = &Make<Listbox>("list", {{"InitialValue", "German\nEnglish"s}});
        list->SetSelected(1, true);
        box = &Make<CheckBox>("box", {{"Caption", "Line-by-line"s}});
        box->SetActionHandler([this](CheckBox&) { ++actions; });
        button = &Make<PushButton>("button", {{"Caption", "Search"s}, {"Left", 10}});
        button->SetActionHandler([this](PushButton&) { ++actions; });
        label = &Make<Label>("label", {{"Name", "label"s}, {"Text", "before"s}});
        line = &Make<Line>("line", {{"X1", 5}});
        field->SetFocus();
    }

    TextField* field = nullptr;
    TextArea* area = nullptr;
    Listbox* list = nullptr;
    CheckBox* box = nullptr;
    PushButton* button = nullptr;
    Label* label = nullptr;
    Line* line = nullptr;
    int actions = 0;
};
}

TEST_F(ThreadAccessTest, EveryCallOfAControlFromAnotherThreadIsRefusedBeforeItTouchesAnything)
{
    ExpectEachRefused({
        {"TextField.Text", [&] { field->Text(); }},
        {"TextField.SetText", [&] { field->SetText("after"); },
            [&] { EXPECT_EQ(static_cast<QLineEdit*>(field->Widget())->text(), "before"); }},
        {"TextField.LimitText", [&] { field->LimitText(); }},
        {"TextArea.Text", [&] { area->Text(); }},
        {"TextArea.SetText", [&] { area->SetText("after"); }, [&] { EXPECT_EQ(area->Text(), "before"); }},
        {"Listbox.ListCount", [&] { list->ListCount(); }},
        {"Listbox.AddRow", [&] { list->AddRow("French"); }, [&] { EXPECT_EQ(list->ListCount(), 2); }},
        {"Listbox.Cell", [&] { list->Cell(0, 0); }},
        {"Listbox.SetCell", [&] { list->SetCell(0, 0, "French"); }, [&] { EXPECT_EQ(list->Cell(0, 0), "German"); }},
        {"Listbox.RemoveRow", [&] { list->RemoveRow(0); }, [&] { EXPECT_EQ(list->ListCount(), 2); }},
        {"Listbox.Selected", [&] { list->Selected(1); }},
        {"Listbox.SetSelected", [&] { list->SetSelected(1, false); }, [&] { EXPECT_TRUE(list->Selected(1)); }},
        {"Listbox.SetColumnWidths", [&] { list->SetColumnWidths("40"); }, [&] { EXPECT_EQ(list->ColumnWidths(), ""); }},
        {"CheckBox.Value", [&] { box->Value(); }},
        {"CheckBox.SetValue", [&] { box->SetValue(true); },
            [&] {
                EXPECT_FALSE(box->Value());
                EXPECT_EQ(actions, 0);
            }},
        {"CheckBox.SetCaption", [&] { box->SetCaption("after"); }, [&] { EXPECT_EQ(box->Caption(), "Line-by-line"); }},
        {"PushButton.Caption", [&] { button->Caption(); }},
        {"PushButton.SetCaption", [&] { button->SetCaption("after"); },
            [&] {
                EXPECT_EQ(button->Caption(), "Search");
                EXPECT_EQ(static_cast<QPushButton*>(button->Widget())->text(), "Search");
            }},
        {"PushButton.Push", [&] { button->Push(); }, [&] { EXPECT_EQ(actions, 0); }},
        {"PushButton.SetDefault", [&] { button->SetDefault(true); }, [&] { EXPECT_EQ(window->DefaultButton(), nullptr); }},
        {"PushButton.SetActionHandler", [&] { button->SetActionHandler({}); },
            [&] {
                button->Push();
                EXPECT_EQ(actions, 1);
                actions = 0;
            }},
        {"Label.Text", [&] { label->Text(); }},
        {"Label.SetText", [&] { label->SetText("after"); }, [&] { EXPECT_EQ(label->Text(), "before"); }},
        {"Line.SetX1", [&] { line->SetX1(50); }, [&] { EXPECT_EQ(line->X1(), 5); }},
        {"RectControl.Widget", [&] { button->Widget(); }},
        {"RectControl.SetFocus", [&] { area->SetFocus(); }, [&] { EXPECT_EQ(QApplication::focusWidget(), field->Widget()); }},
        {"RectControl.Left", [&] { button->Left(); }},
        {"RectControl.SetLeft", [&] { button->SetLeft(40); }, [&] { EXPECT_EQ(button->Left(), 10); }},
        {"RectControl.Visible", [&] { button->Visible(); }},
        {"RectControl.SetVisible", [&] { button->SetVisible(false); },
            [&] {
                EXPECT_TRUE(button->Visible());
                EXPECT_TRUE(button->Widget()->isVisible());
            }},
        {"RectControl.SetEnabled", [&] { button->SetEnabled(false); }, [&] { EXPECT_TRUE(button->Enabled()); }},
        {"RectControl.SetBold", [&] { label->SetBold(true); }, [&] { EXPECT_FALSE(label->Bold()); }},
        {"RectControl.Name", [&] { label->Name(); }},
        {"RectControl.SetName", [&] { label->SetName("renamed"); }, [&] { EXPECT_EQ(label->Name(), "label"); }},
        {"_SetProperties",
            [&] {
                _SetProperties(*label, {{"TabIndex", 7}});
            },
            [&] { EXPECT_EQ(label->TabIndex(), 0); }},
        {"constructor", [&] { window->__New<TextField>(); }},
        {"creation step",
            [&] {
                Create<CheckBox>(*window, {{"Name", "late"s}});
            },
            [&] { EXPECT_EQ(window->ControlCount(), 7); }},
    });
}

TEST(ThreadAccess, EveryCallOfAMenuItemFromAnotherThreadIsRefusedBeforeItTouchesAnything)
{
    MenuBar bar;
    auto file = std::make_unique<MenuItem>();
    file->SetName("FileMenu");
    file->SetText("&File");
    auto help = std::make_unique<MenuItem>();
    MenuItem& item = *help;
    help->SetName("FileHelp");
    help->SetText("Help");
    file->Append(std::move(help));
    bar.Append(std::move(file));
    MenuItem& menu = bar.Item(0);

    ExpectEachRefused({
        {"Name", [&] { item.Name(); }},
        {"SetName", [&] { item.SetName("FileQuit"); }, [&] { EXPECT_EQ(item.Name(), "FileHelp"); }},
        {"Text", [&] { item.Text(); }},
        {"SetText", [&] { item.SetText("Quit"); }, [&] { EXPECT_EQ(item.Text(), "Help"); }},
        {"IsSeparator", [&] { item.IsSeparator(); }},
        {"KeyboardShortcut", [&] { item.KeyboardShortcut(); }},
        {"SetKeyboardShortcut", [&] { item.SetKeyboardShortcut("Cmd+H"); }, [&] { EXPECT_FALSE(item.KeyboardShortcut()); }},
        {"SetAutoEnable", [&] { item.SetAutoEnable(true); }, [&] { EXPECT_FALSE(item.AutoEnable()); }},
        {"SetVisible", [&] { item.SetVisible(false); }, [&] { EXPECT_TRUE(item.Visible()); }},
        {"Append", [&] { menu.Append(std::make_unique<MenuItem>()); }, [&] { EXPECT_EQ(menu.Count(), 1); }},
        {"Count", [&] { menu.Count(); }},
        {"Item", [&] { menu.Item(0); }},
        {"Child", [&] { bar.Child("FileMenu"); }},
        {"_Lookup", [&] { bar._Lookup("FileHelp"); }},
    });
}

TEST_F(ThreadAccessTest, EveryCallOfAWindowOrTheApplicationFromAnotherThreadIsRefused)
{
    auto bar = std::make_shared<MenuBar>();
    Application application;
    ExpectEachRefused({
        {"Window._AddMenuHandler", [&] { window->_AddMenuHandler("FileHelp", [] { return true; }); },
            [&] { EXPECT_FALSE(window->BoundMenuHandlers().Has("FileHelp")); }},
        {"Window._ControlByName", [&] { window->_ControlByName("field"); }},
        {"Window._AddControl", [&] { window->_AddControl("late", nullptr); }, [&] { EXPECT_EQ(window->ControlCount(), 7); }},
        {"Window.ControlCount", [&] { window->ControlCount(); }},
        {"Window.IsOpen", [&] { window->IsOpen(); }},
        {"Window.IsVisible", [&] { window->IsVisible(); }},
        {"Window.Title", [&] { window->Title(); }},
        {"Window.SetMenuBar", [&] { window->SetMenuBar(bar); }, [&] { EXPECT_EQ(window->GetMenuBar(), nullptr); }},
        {"Window.GetMenuBar", [&] { window->GetMenuBar(); }},
        {"Window.SetDefaultButton", [&] { window->SetDefaultButton(button); }, [&] { EXPECT_EQ(window->DefaultButton(), nullptr); }},
        {"Application.SetMenuBar", [&] { application.SetMenuBar(bar); }, [&] { EXPECT_EQ(application.GetMenuBar(), nullptr); }},
        {"Application.GetMenuBar", [&] { application.GetMenuBar(); }},
        {"Application._AddMenuHandler", [&] { application._AddMenuHandler("FileHelp", [] { return true; }); },
            [&] { EXPECT_FALSE(application.BoundMenuHandlers().Has("FileHelp")); }},
    });
}
