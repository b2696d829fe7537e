#include "app/aboutWin.h"

#include "app/Pictures.h"
#include "app/StoredLists.h"
#include "framework/ControlCreation.h"

namespace {
// clang-format off
using namespace stored;

const PropertyList kWindowProperties = WindowList(
    {.width = 396, .height = 564, .title = "About Quorvane", .resizeable = true, .maximizeButton = false, .composite = false, .visible = true});

// Lines are separated by carriage returns.
const std::string kAboutText =
    "Quorvane is a tool to make it easy to retrieve transcripts from captioned YouTube videos. When you insert a YouTube "
    "video URL and hit the Search button, it will provide you with a list of transcripts in different languages that are "
    "available for that video to download. They can be saved as paragraph text or line-by-line with or without timecode. "
    "Hope this makes your life a little better!\r"
    "\r"
    "Written by the Quorvane developers.\r"
    "\r"
    "Support: support@quorvane.example\r"
    "Thank you for using Quorvane.\r"
    "Enjoy your transcripts!";

struct LabelLook {
    int align;
    Color color;
    bool multiline;
    float size;
    bool italic;
};

PropertyList LabelList(const std::string& name, Box box, int tabIndex, const std::string& text, LabelLook look)
{
    return Join({{{"TabStop", true}},
                 Placed(name, box),
                 {{"TabIndex", tabIndex}, {"Text", text}, {"TextAlign", look.align}, {"TextColor", look.color},
                  {"Multiline", look.multiline}, {"Enabled", true}, {"Visible", true}, {"Selectable", false},
                  {"Transparent", false}, {"HelpTag", ""s}, {"AutoDeactivate", true}},
                 Font(look.size, look.italic), kNoDataBinding, kOnTheWindow});
}

const PropertyList kLabel1 = LabelList("Label1", {17, 296, 356, 248}, 1, kAboutText, {0, kBlack, true, 0, false});
const PropertyList kBevelButton1 = Join({
    Placed("BevelButton1", {300, 522, 73, 22}),
    {{"TabIndex", 2}, {"TabStop", true}, {"InitialParent", ""s}, {"Visible", true}, {"HelpTag", ""s}, {"AutoDeactivate", true},
     {"Enabled", true}, {"Caption", "Close"s}, {"CaptionAlign", 3}, {"CaptionPlacement", 1}, {"CaptionDelta", 0}, {"IconAlign", 0},
     {"IconDX", 0}, {"IconDY", 0}, {"Bevel", 3}, {"HasMenu", 0}, {"HasBackColor", false}, {"BackColor", kBlack},
     {"TextColor", kBlack}, {"Value", false}, {"MenuValue", 0}, {"ButtonType", 0}, {"AcceptFocus", false}},
    Font(0),
});
const PropertyList kLabel2 = LabelList("Label2", {85, 237, 225, 41}, 3, "Quorvane", {1, RGB(0x69, 0x7A, 0xE9), false, 24, false});
const PropertyList kLabel3 = LabelList("Label3", {127, 265, 141, 32}, 4, "for YouTube", {1, RGB(0x94, 0x35, 0x33), false, 18, true});
const PropertyList kLabel4 = LabelList("Label4", {255, 272, 121, 20}, 5, "version 1.0", {1, kBlack, false, 0, false});
const PropertyList kCanvas1 = CanvasList("Canvas1", {70, 0, 353, 268}, 6);
// clang-format on
}

void aboutWin::Layout()
{
    _SetProperties(*this, kWindowProperties);
}

void aboutWin::CreateControls()
{
    _CreateControls0();
}

void aboutWin::_CreateControls0()
{
    Create<::Label>(*this, kLabel1);
    Create<::BevelButton>(*this, kBevelButton1);
    BevelButton1().SetActionHandler([this](::BevelButton& button) { BevelButton1_Action(button); });
    Create<::Label>(*this, kLabel2);
    Create<::Label>(*this, kLabel3);
    Create<::Label>(*this, kLabel4);
    Register<::Canvas>(*this, "Canvas1").SetBackdrop(Quorvane250());
    _SetProperties(Canvas1(), kCanvas1);
}

void aboutWin::BevelButton1_Action(::BevelButton&)
{
    instance::aboutWin().Close();
}

// clang-format off
::Label& aboutWin::Label1() { return _ControlByName<::Label>("Label1"); }
::BevelButton& aboutWin::BevelButton1() { return _ControlByName<::BevelButton>("BevelButton1"); }
::Label& aboutWin::Label2() { return _ControlByName<::Label>("Label2"); }
::Label& aboutWin::Label3() { return _ControlByName<::Label>("Label3"); }
::Label& aboutWin::Label4() { return _ControlByName<::Label>("Label4"); }
::Canvas& aboutWin::Canvas1() { return _ControlByName<::Canvas>("Canvas1"); }
// clang-format on

namespace instance {
::aboutWin& aboutWin()
{
    return _ImplicitInstance<::aboutWin>();
}
}
