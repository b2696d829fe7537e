#include "app/Pictures.h"
#include "tests/AccessibleTree.h"
#include "tests/ProgramTest.h"
#include "transcript_window/Window1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <typeinfo>
#include <vector>

namespace {
struct Accessor {
    const char* name;
    std::function<RectControl&(Window1&)> get;
    const std::type_info& type;
};

template <class T, T& (Window1::*get)()> Accessor Of(const char* name)
{
    return {name, [](Window1& window) -> RectControl& { return (window.*get)(); }, typeid(T)};
}

// In creation order.
const std::vector<Accessor> kAccessors = {
    Of<PushButton, &Window1::PushButton1>("PushButton1"),
    Of<Label, &Window1::Label1>("Label1"),
    Of<Label, &Window1::Label2>("Label2"),
    Of<TextField, &Window1::TextField1>("TextField1"),
    Of<PushButton, &Window1::PushButton2>("PushButton2"),
    Of<Listbox, &Window1::XMLList>("XMLList"),
    Of<TextArea, &Window1::TextArea1>("TextArea1"),
    Of<Listbox, &Window1::Listbox1>("Listbox1"),
    Of<CheckBox, &Window1::paragraphBox>("paragraphBox"),
    Of<Label, &Window1::Label3>("Label3"),
    Of<CheckBox, &Window1::lineBox>("lineBox"),
    Of<Line, &Window1::Line1>("Line1"),
    Of<Line, &Window1::Line2>("Line2"),
    Of<CheckBox, &Window1::plainTextBox>("plainTextBox"),
    Of<Label, &Window1::Label4>("Label4"),
    Of<CheckBox, &Window1::PDFbox>("PDFbox"),
    Of<Label, &Window1::Label6>("Label6"),
    Of<CheckBox, &Window1::timecodeBox>("timecodeBox"),
    Of<Canvas, &Window1::Canvas1>("Canvas1"),
    Of<CheckBox, &Window1::openBox>("openBox"),
    Of<Line, &Window1::Line3>("Line3"),
};

const QRect kContentArea(0, 0, 550, 411);

// The name of the control whose widget that is.
std::string NameOf(Window1& window, const QObject* widget)
{
    auto named = std::find_if(kAccessors.begin(), kAccessors.end(), [&](const Accessor& a) { return a.get(window).Widget() == widget; });
    return named == kAccessors.end() ? "(none of the controls)" : named->name;
}

// The controls the focus passes through on as many presses of Tab, the first where it stands now.
std::vector<std::string> TabWalk(Window1& window, int presses, Qt::KeyboardModifiers modifiers = {})
{
    std::vector<std::string> order;
    for (int press = 0; press < presses; ++press) {
        order.push_back(NameOf(window, QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
    }
    return order;
}
}

TEST_F(ProgramTest, HoldsItsTwentyOneControlsEachUnderItsNameAndOfItsClass)
{
    Window1& window = instance::Window1();
    EXPECT_EQ(window.ControlCount(), 21);
    // The widgets of the controls out of view wait offstage; those in view stand in creation order.
    const QList<QWidget*> shown = window.ContentArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const QList<QWidget*> offstage = window.Offstage()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(shown.size() + offstage.size(), 21);
    QList<QWidget*> shownInCreationOrder;
    for (const Accessor& accessor : kAccessors) {
        RectControl& control = accessor.get(window);
        EXPECT_EQ(&control, &window._ControlByName(accessor.name)) << accessor.name;
        EXPECT_EQ(&control, &accessor.get(window)) << accessor.name;
        EXPECT_EQ(typeid(control), accessor.type) << accessor.name;
        EXPECT_EQ(control.Name(), accessor.name);
        EXPECT_TRUE(shown.contains(control.Widget()) || offstage.contains(control.Widget())) << accessor.name;
        if (shown.contains(control.Widget()))
            shownInCreationOrder.push_back(control.Widget());
    }
    EXPECT_EQ(shownInCreationOrder, shown) << "made out of order";
}

TEST_F(ProgramTest, ControlsStandWhereTheirListsPutThem)
{
    struct Place {
        const char* name;
        QRect box;
        bool visible;
    };
    const std::vector<Place> places = {
        {"PushButton1", {315, 371, 205, 20}, true},
        {"Label1", {30, 103, 280, 20}, true},
        {"Label2", {30, 20, 305, 23}, true},
        {"TextField1", {30, 46, 399, 22}, true},
        {"PushButton2", {441, 47, 89, 20}, true},
        {"XMLList", {30, 558, 934, 272}, true},
        {"TextArea1", {566, 23, 489, 451}, true},
        {"Listbox1", {30, 135, 250, 256}, true},
        {"paragraphBox", {327, 129, 199, 20}, true},
        {"Label3", {322, 103, 208, 20}, true},
        {"lineBox", {327, 173, 199, 20}, true},
        {"plainTextBox", {331, 443, 199, 20}, false},
        {"Label4", {30, 71, 401, 20}, true},
        {"PDFbox", {327, 486, 199, 20}, false},
        {"Label6", {322, 22, 178, 20}, true},
        {"timecodeBox", {327, 203, 199, 20}, true},
        {"Canvas1", {369, 266, 100, 100}, true},
        {"openBox", {327, 245, 199, 20}, true},
    };
    Window1& window = instance::Window1();
    window.Show();
    for (const Place& place : places) {
        RectControl& control = window._ControlByName(place.name);
        EXPECT_EQ(QRect(control.Left(), control.Top(), control.Width(), control.Height()), place.box) << place.name;
        EXPECT_EQ(control.Visible(), place.visible) << place.name;
        // Out of the content area, a control's widget stays hidden.
        EXPECT_EQ(control.Widget()->isVisible(), place.visible && place.box.intersects(kContentArea)) << place.name;
        EXPECT_TRUE(control.Enabled()) << place.name;
    }

    struct Ends {
        Line& line;
        QPoint from, to;
        bool visible;
    };
    for (const Ends& ends : {Ends {window.Line1(), {322, 161}, {520, 161}, true}, Ends {window.Line2(), {323, 425}, {521, 425}, false},
             Ends {window.Line3(), {322, 234}, {521, 234}, true}}) {
        EXPECT_EQ(QPoint(ends.line.X1(), ends.line.Y1()), ends.from) << ends.line.Name();
        EXPECT_EQ(QPoint(ends.line.X2(), ends.line.Y2()), ends.to) << ends.line.Name();
        EXPECT_EQ(ends.line.BorderWidth(), 1);
        EXPECT_EQ(ends.line.LineColor(), RGB(0, 0, 0));
        EXPECT_EQ(ends.line.Widget()->isVisible(), ends.visible) << ends.line.Name();
    }

    // The working buffers are visible controls merely placed beyond the content area.
    EXPECT_EQ(window.ContentArea()->rect(), kContentArea);
    for (RectControl* control : std::initializer_list<RectControl*> {
             &window.XMLList(), &window.TextArea1(), &window.Line2(), &window.plainTextBox(), &window.PDFbox()})
        EXPECT_FALSE(control->Widget()->geometry().intersects(kContentArea)) << control->Name();
}

TEST_F(ProgramTest, ButtonsBoxesAndFieldsStartAsDeclared)
{
    ASSERT_TRUE(QFile::copy(QUORVANE_PICTURES_DIR "/Quorvane1001.png", QDir(resources_.path()).filePath("Quorvane1001.png")));
    Window1& window = instance::Window1();
    EXPECT_EQ(window.PushButton1().Caption(), "Download Transcript(s)");
    EXPECT_EQ(window.PushButton2().Caption(), "Search");
    for (PushButton* button : {&window.PushButton1(), &window.PushButton2()}) {
        EXPECT_TRUE(button->Default());
        EXPECT_FALSE(button->Cancel());
        EXPECT_EQ(static_cast<QPushButton*>(button->Widget())->text(), QString::fromStdString(button->Caption()));
    }
    EXPECT_EQ(window.DefaultButton(), &window.PushButton2());

    struct Box {
        CheckBox& box;
        const char* caption;
        bool ticked;
    };
    for (const Box& b : {Box {window.paragraphBox(), "Paragraph Form", false}, Box {window.lineBox(), "Line-by-line", false},
             Box {window.plainTextBox(), "Save as Plain Text File", true}, Box {window.PDFbox(), "Save as PDF File", false},
             Box {window.timecodeBox(), "Include Timecode", false}, Box {window.openBox(), "Open File(s) After Saving", true}}) {
        EXPECT_EQ(b.box.Caption(), b.caption);
        EXPECT_EQ(b.box.Value(), b.ticked) << b.caption;
    }

    EXPECT_EQ(window.TextField1().Text(), "");
    EXPECT_EQ(window.TextArea1().Text(), "");
    EXPECT_EQ(window.Listbox1().ListCount(), 0);
    EXPECT_EQ(window.XMLList().ListCount(), 0);
    EXPECT_NE(window.Canvas1().Backdrop(), nullptr);
    EXPECT_EQ(window.Canvas1().Backdrop(), Quorvane100());
    EXPECT_FALSE(window.Canvas1().AcceptFocus());
    EXPECT_TRUE(window.Canvas1().Transparent());
}

TEST_F(ProgramTest, LabelsShowTheirTextsInTheirFontsAndColours)
{
    struct Look {
        const char* name;
        const char* text;
        int pixelSize;
        bool italic;
        QColor color;
        bool selectable, transparent;
    };
    const QColor grey(0x6F, 0x75, 0x73);
    const QColor black(0, 0, 0);
    const std::vector<Look> looks = {
        {"Label1", "2. Choose an available language:", 14, false, black, false, true},
        {"Label2", "1. Paste in YouTube URL and click Search:", 14, false, black, false, true},
        {"Label3", "3. Select transcript format:", 14, false, black, false, false},
        {"Label6", "(requires internet connection)", 11, true, grey, true, false},
    };
    Window1& window = instance::Window1();
    window.Show();
    for (const Look& look : looks) {
        Label& label = window._ControlByName<Label>(look.name);
        auto* widget = static_cast<QLabel*>(label.Widget());
        EXPECT_EQ(label.Text(), look.text);
        EXPECT_EQ(widget->text(), look.text);
        EXPECT_EQ(widget->font().pixelSize(), look.pixelSize) << look.name;
        EXPECT_EQ(widget->font().italic(), look.italic) << look.name;
        EXPECT_FALSE(widget->font().bold());
        EXPECT_EQ(widget->palette().color(QPalette::WindowText), look.color) << look.name;
        EXPECT_EQ(label.Selectable(), look.selectable) << look.name;
        EXPECT_EQ(label.Transparent(), look.transparent) << look.name;
        EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        EXPECT_LE(widget->fontMetrics().horizontalAdvance(widget->text()), widget->width()) << look.name << " is cut off";
    }

    Label& example = window.Label4();
    EXPECT_TRUE(example.Italic());
    EXPECT_EQ(example.TextSize(), 11.0f);
    EXPECT_EQ(example.TextColor(), RGB(0x6F, 0x75, 0x73));
    const std::string prefix = "example: https://www.youtube.com/watch?v=";
    ASSERT_EQ(example.Text().size(), prefix.size() + 11);
    EXPECT_EQ(example.Text().substr(0, prefix.size()), prefix);
    auto* widget = static_cast<QLabel*>(example.Widget());
    EXPECT_LE(widget->fontMetrics().horizontalAdvance(widget->text()), widget->width());
}

TEST_F(ProgramTest, TheLanguageListShowsOnlyItsFirstColumnAndTakesSeveralRows)
{
    Window1& window = instance::Window1();
    window.Show();
    Listbox& languages = window.Listbox1();
    auto* tree = static_cast<QTreeView*>(languages.Widget());
    EXPECT_EQ(languages.ColumnCount(), 2);
    EXPECT_EQ(languages.ColumnWidths(), "250");
    EXPECT_FALSE(languages.HasHeading());
    EXPECT_EQ(languages.SelectionType(), 1);
    EXPECT_EQ(tree->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(languages.GridLinesHorizontal(), 2);
    EXPECT_EQ(languages.GridLinesVertical(), 3);

    languages.AddRow("German");
    languages.SetCell(0, 1, "de");
    languages.AddRow("English");
    languages.SetCell(1, 1, "en");
    QCoreApplication::processEvents();
    EXPECT_FALSE(tree->visualRect(tree->model()->index(0, 1)).intersects(tree->viewport()->rect()));
    EXPECT_TRUE(tree->visualRect(tree->model()->index(0, 0)).intersects(tree->viewport()->rect()));
    languages.SetSelected(0, true);
    languages.SetSelected(1, true);
    EXPECT_TRUE(languages.Selected(0) && languages.Selected(1));

    Listbox& tracks = window.XMLList();
    EXPECT_EQ(tracks.ColumnCount(), 1);
    EXPECT_EQ(tracks.SelectionType(), 0);
    EXPECT_EQ(static_cast<QTreeView*>(tracks.Widget())->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(ProgramTest, ReturnPressesTheFocusedButtonAndElseSearch)
{
    Window1& window = instance::Window1();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.TopLevelWidget()));
    std::vector<std::string> pressed;
    for (PushButton* button : {&window.PushButton1(), &window.PushButton2()})
        button->SetActionHandler([&](PushButton& b) { pressed.push_back(b.Caption()); });
    const std::pair<RectControl*, std::string> cases[] = {
        {&window.TextField1(), "Search"},
        {&window.Listbox1(), "Search"},
        {&window.openBox(), "Search"},
        {&window.PushButton1(), "Download Transcript(s)"},
        {&window.PushButton2(), "Search"},
    };
    for (const auto& [focused, caption] : cases) {
        SCOPED_TRACE(focused->Name());
        pressed.clear();
        focused->SetFocus();
        ASSERT_EQ(QApplication::focusWidget(), focused->Widget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(pressed, std::vector<std::string> {caption});
    }
}

TEST_F(ProgramTest, TheFocusStartsInTheAddressFieldSoThatPasteAndReturnSearchAtOnce)
{
    _LateStartup();
    Window1& window = instance::Window1();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.TopLevelWidget()));
    EXPECT_EQ(QApplication::focusWidget(), window.TextField1().Widget());

    std::vector<std::string> pressed;
    for (PushButton* button : {&window.PushButton1(), &window.PushButton2()})
        button->SetActionHandler([&](PushButton& b) { pressed.push_back(b.Caption()); });
    QApplication::clipboard()->setText("https://www.youtube.com/watch?v=abcdefghijk");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window.TextField1().Text(), "https://www.youtube.com/watch?v=abcdefghijk");
    EXPECT_EQ(pressed, std::vector<std::string> {"Search"});
}

TEST_F(ProgramTest, TabMovesTheFocusInTheOrderOfTabIndexPastTheWorkingBuffers)
{
    Window1& window = instance::Window1();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.TopLevelWidget()));
    // Labels, lines and the logo take no focus; the hidden boxes and the buffers out of view are passed over.
    const std::vector<std::string> chain
        = {"PushButton2", "Listbox1", "timecodeBox", "paragraphBox", "lineBox", "openBox", "PushButton1", "TextField1"};
    std::vector<std::string> forward, backward;
    for (int round = 0; round < 3; ++round) {
        forward.insert(forward.end(), chain.begin(), chain.end());
        backward.push_back(chain.front());
        backward.insert(backward.end(), chain.rbegin(), chain.rend() - 1);
    }
    window.PushButton2().SetFocus();
    EXPECT_EQ(TabWalk(window, static_cast<int>(forward.size())), forward);
    window.PushButton2().SetFocus();
    EXPECT_EQ(TabWalk(window, static_cast<int>(backward.size()), Qt::ShiftModifier), backward);
}

TEST_F(ProgramTest, TheWorkingBuffersOutOfViewHoldLargeTextsWithoutShowingThemToAnyone)
{
    Window1& window = instance::Window1();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.TopLevelWidget()));
    const std::string answer = std::string(4 << 20, 'x') + "\r<track id=\"0\"/>\xFF";
    window.TextArea1().SetText(answer);
    window.XMLList().AddRow("<track id=\"0\" lang_code=\"en\"/>");
    window.PushButton2().SetFocus();
    TabWalk(window, 20);
    TabWalk(window, 20, Qt::ShiftModifier);
    EXPECT_EQ(window.TextArea1().Text(), answer);
    EXPECT_TRUE(static_cast<QPlainTextEdit*>(window.TextArea1().Widget())->document()->isEmpty());
    EXPECT_EQ(window.XMLList().Cell(0, 0), "<track id=\"0\" lang_code=\"en\"/>");

    // Accessibility tools reach every control in view, and neither buffer nor the hidden controls.
    std::vector<std::string> reached;
    for (const Accessor& accessor : kAccessors)
        if (std::ranges::count(AccessibleObjects(), accessor.get(window).Widget()) > 0)
            reached.push_back(accessor.name);
    std::sort(reached.begin(), reached.end());
    EXPECT_EQ(reached,
        (std::vector<std::string> {"Canvas1", "Label1", "Label2", "Label3", "Label4", "Label6", "Line1", "Line3", "Listbox1", "PushButton1",
            "PushButton2", "TextField1", "lineBox", "openBox", "paragraphBox", "timecodeBox"}));
}
