// The main window's 21 controls: their stored property lists, their creation and their accessors.
#include "transcript_window/Window1.h"

#include "app/Pictures.h"
#include "app/StoredLists.h"
#include "framework/ControlCreation.h"

using namespace std::string_literals;

namespace {
// clang-format off
using namespace stored;

constexpr Color kHintGrey = RGB(0x6F, 0x75, 0x73);

PropertyList PushButtonList(const std::string& name, Box box, int tabIndex, const std::string& caption)
{
    return Join({Placed(name, box),
                 {{"TabIndex", tabIndex}, {"TabStop", true}, {"Caption", caption}, {"Default", true}, {"Cancel", false},
                  {"Enabled", true}, {"Visible", true}, {"HelpTag", ""s}, {"AutoDeactivate", true}, {"ButtonStyle", 0}},
                 Font(0), kOnTheWindow});
}

struct LabelLook {
    float size = 14;
    Color color = kBlack;
    bool italic = false, selectable = false, transparent = false;
};
const LabelLook kHint{.size = 11, .color = kHintGrey, .italic = true, .selectable = true};

PropertyList LabelList(const std::string& name, Box box, int tabIndex, const std::string& text, LabelLook look)
{
    return Join({Placed(name, box),
                 {{"TabIndex", tabIndex}, {"Text", text}, {"TextAlign", 0}, {"TextColor", look.color}, {"Multiline", false},
                  {"Enabled", true}, {"Visible", true}, {"Selectable", look.selectable}, {"Transparent", look.transparent},
                  {"HelpTag", ""s}, {"AutoDeactivate", true}},
                 Font(look.size, look.italic), kNoDataBinding, kOnTheWindow});
}

struct ListColumns {
    int count;
    std::string widths;
    int gridLinesHorizontal, gridLinesVertical, selectionType;
};

PropertyList ListboxList(const std::string& name, Box box, int tabIndex, const ListColumns& columns)
{
    return Join({Placed(name, box),
                 {{"TabIndex", tabIndex}, {"TabStop", true}, {"Visible", true}, {"HelpTag", ""s}, {"AutoDeactivate", true},
                  {"Enabled", true}, {"Border", true}, {"ColumnCount", columns.count}, {"ColumnWidths", columns.widths},
                  {"HasHeading", false}, {"UseFocusRing", true}, {"InitialValue", ""s}, {"HeadingIndex", -1},
                  {"ScrollbarHorizontal", false}, {"ScrollBarVertical", true}, {"GridLinesHorizontal", columns.gridLinesHorizontal},
                  {"GridLinesVertical", columns.gridLinesVertical}, {"DefaultRowHeight", -1}, {"ShowDropIndicator", false},
                  {"_ScrollWidth", -1}, {"_ScrollOffset", 0}},
                 Font(0),
                 {{"Hierarchical", false}, {"EnableDrag", false}, {"EnableDragReorder", false}, {"RequiresSelection", false},
                  {"SelectionType", columns.selectionType}, {"ColumnsResizable", false}, {"AutoHideScrollbars", true}},
                 kNoDataBinding, kOnTheWindow});
}

PropertyList CheckBoxList(const std::string& name, Box box, int tabIndex, const std::string& caption, bool visible, bool ticked)
{
    return Join({Placed(name, box),
                 {{"TabIndex", tabIndex}, {"TabStop", true}, {"Caption", caption}, {"Enabled", true}, {"Visible", visible},
                  {"HelpTag", ""s}, {"AutoDeactivate", true}},
                 Font(0), {{"State", ticked ? 1 : 0}, {"Value", ticked}}, kNoDataBinding, kOnTheWindow});
}

PropertyList LineList(const std::string& name, int x1, int y1, int x2, int y2, bool visible)
{
    return {{"Name", name},      {"Index", kNoIndex},    {"X1", x1},           {"X2", x2},
            {"Y1", y1},          {"Y2", y2},             {"TabPanelIndex", 0}, {"Visible", visible},
            {"BorderWidth", 1},  {"LineColor", kBlack},  {"InitialParent", ""s}};
}

const PropertyList kPushButton1 = PushButtonList("PushButton1", {315, 371, 205, 20}, 0, "Download Transcript(s)");
const PropertyList kLabel1 = LabelList("Label1", {30, 103, 280, 20}, 2, "2. Choose an available language:", {.transparent = true});
const PropertyList kLabel2 = LabelList("Label2", {30, 20, 305, 23}, 3, "1. Paste in YouTube URL and click Search:", {.transparent = true});
const PropertyList kTextField1 = Join({
    Placed("TextField1", {30, 46, 399, 22}),
    {{"TabIndex", 4}, {"TabStop", true}, {"Border", true}, {"Password", false}, {"UseFocusRing", true}, {"TextColor", kBlack},
     {"BackColor", kWhite}, {"Enabled", true}, {"Format", ""s}, {"Visible", true}, {"HelpTag", ""s}, {"AutoDeactivate", true}},
    Font(0),
    {{"CueText", ""s}, {"Text", ""s}, {"Mask", ""s}, {"ReadOnly", false}, {"LimitText", 0}, {"AcceptTabs", false}, {"Alignment", 0},
     {"AutomaticallyCheckSpelling", false}},
    kNoDataBinding,
});
const PropertyList kPushButton2 = PushButtonList("PushButton2", {441, 47, 89, 20}, 6, "Search");
const PropertyList kXMLList = ListboxList("XMLList", {30, 558, 934, 272}, 7, {1, "", 0, 0, 0});
const PropertyList kTextArea1 = Join({
    Placed("TextArea1", {566, 23, 489, 451}),
    {{"TabIndex", 8}, {"TabStop", true}, {"Border", true}, {"Multiline", true}, {"ScrollbarHorizontal", false},
     {"ScrollbarVertical", true}, {"Styled", true}, {"UseFocusRing", true}, {"TextColor", kBlack}, {"BackColor", kWhite},
     {"Enabled", true}, {"Format", ""s}, {"Visible", true}, {"HelpTag", ""s}, {"AutoDeactivate", true}, {"HideSelection", true},
     {"LineHeight", 0.0}, {"LineSpacing", 1.0}},
    Font(0),
    {{"Text", ""s}, {"Mask", ""s}, {"ReadOnly", false}, {"LimitText", 0}, {"AcceptTabs", false}, {"Alignment", 0},
     {"AutomaticallyCheckSpelling", true}},
    kNoDataBinding,
});
const PropertyList kListbox1 = ListboxList("Listbox1", {30, 135, 250, 256}, 9, {2, "250", 2, 3, 1});
const PropertyList kParagraphBox = CheckBoxList("paragraphBox", {327, 129, 199, 20}, 11, "Paragraph Form", true, false);
const PropertyList kLabel3 = LabelList("Label3", {322, 103, 208, 20}, 12, "3. Select transcript format:", {});
const PropertyList kLineBox = CheckBoxList("lineBox", {327, 173, 199, 20}, 13, "Line-by-line", true, false);
const PropertyList kLine1 = LineList("Line1", 322, 161, 520, 161, true);
const PropertyList kLine2 = LineList("Line2", 323, 425, 521, 425, false);
const PropertyList kPlainTextBox = CheckBoxList("plainTextBox", {331, 443, 199, 20}, 14, "Save as Plain Text File", false, true);
const PropertyList kLabel4 = LabelList("Label4", {30, 71, 401, 20}, 16, "example: https://www.youtube.com/watch?v=Zp4Kq7wRt2E", kHint);
const PropertyList kPDFbox = CheckBoxList("PDFbox", {327, 486, 199, 20}, 15, "Save as PDF File", false, false);
const PropertyList kLabel6 = LabelList("Label6", {322, 22, 178, 20}, 18, "(requires internet connection)", kHint);
const PropertyList kTimecodeBox = CheckBoxList("timecodeBox", {327, 203, 199, 20}, 10, "Include Timecode", true, false);
const PropertyList kCanvas1 = CanvasList("Canvas1", {369, 266, 100, 100}, 19);
const PropertyList kOpenBox = CheckBoxList("openBox", {327, 245, 199, 20}, 20, "Open File(s) After Saving", true, true);
const PropertyList kLine3 = LineList("Line3", 322, 234, 521, 234, true);

// clang-format on
}

void Window1::_CreateControls0()
{
    Create<::PushButton>(*this, kPushButton1);
    PushButton1().SetActionHandler([this](::PushButton& button) { PushButton1_Action(button); });
    Create<::Label>(*this, kLabel1);
    Create<::Label>(*this, kLabel2);
    Create<::TextField>(*this, kTextField1);
    Create<::PushButton>(*this, kPushButton2);
    PushButton2().SetActionHandler([this](::PushButton& button) { PushButton2_Action(button); });
    Create<::Listbox>(*this, kXMLList);
    Create<::TextArea>(*this, kTextArea1);
    Create<::Listbox>(*this, kListbox1);
    Create<::CheckBox>(*this, kParagraphBox);
    paragraphBox().SetActionHandler([this](::CheckBox& box) { paragraphBox_Action(box); });
    Create<::Label>(*this, kLabel3);
    Create<::CheckBox>(*this, kLineBox);
    lineBox().SetActionHandler([this](::CheckBox& box) { lineBox_Action(box); });
    Create<::Line>(*this, kLine1);
    Create<::Line>(*this, kLine2);
    Create<::CheckBox>(*this, kPlainTextBox);
    plainTextBox().SetActionHandler([this](::CheckBox& box) { plainTextBox_Action(box); });
    Create<::Label>(*this, kLabel4);
    Create<::CheckBox>(*this, kPDFbox);
    PDFbox().SetActionHandler([this](::CheckBox& box) { PDFbox_Action(box); });
    Create<::Label>(*this, kLabel6);
    Create<::CheckBox>(*this, kTimecodeBox);
    // The logo is the canvas's backdrop before its list is applied.
    Register<::Canvas>(*this, "Canvas1").SetBackdrop(Quorvane100());
    _SetProperties(_ControlByName<::Canvas>("Canvas1"), kCanvas1);
    Canvas1().SetMouseDownHandler([this](::Canvas& canvas, int x, int y) { return Canvas1_MouseDown(canvas, x, y); });
    Create<::CheckBox>(*this, kOpenBox);
    Create<::Line>(*this, kLine3);
}

// clang-format off
::PushButton& Window1::PushButton1() { return _ControlByName<::PushButton>("PushButton1"); }
::Label& Window1::Label1() { return _ControlByName<::Label>("Label1"); }
::Label& Window1::Label2() { return _ControlByName<::Label>("Label2"); }
::TextField& Window1::TextField1() { return _ControlByName<::TextField>("TextField1"); }
::PushButton& Window1::PushButton2() { return _ControlByName<::PushButton>("PushButton2"); }
::Listbox& Window1::XMLList() { return _ControlByName<::Listbox>("XMLList"); }
::TextArea& Window1::TextArea1() { return _ControlByName<::TextArea>("TextArea1"); }
::Listbox& Window1::Listbox1() { return _ControlByName<::Listbox>("Listbox1"); }
::CheckBox& Window1::paragraphBox() { return _ControlByName<::CheckBox>("paragraphBox"); }
::Label& Window1::Label3() { return _ControlByName<::Label>("Label3"); }
::CheckBox& Window1::lineBox() { return _ControlByName<::CheckBox>("lineBox"); }
::Line& Window1::Line1() { return _ControlByName<::Line>("Line1"); }
::Line& Window1::Line2() { return _ControlByName<::Line>("Line2"); }
::CheckBox& Window1::plainTextBox() { return _ControlByName<::CheckBox>("plainTextBox"); }
::Label& Window1::Label4() { return _ControlByName<::Label>("Label4"); }
::CheckBox& Window1::PDFbox() { return _ControlByName<::CheckBox>("PDFbox"); }
::Label& Window1::Label6() { return _ControlByName<::Label>("Label6"); }
::CheckBox& Window1::timecodeBox() { return _ControlByName<::CheckBox>("timecodeBox"); }
::Canvas& Window1::Canvas1() { return _ControlByName<::Canvas>("Canvas1"); }
::CheckBox& Window1::openBox() { return _ControlByName<::CheckBox>("openBox"); }
::Line& Window1::Line3() { return _ControlByName<::Line>("Line3"); }
// clang-format on
