#include "framework/Listbox.h"
#include "framework/text/Exceptions.h"
#include "tests/ControlTestWindow.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include <functional>
#include <vector>

using namespace std::string_literals;

namespace {
class ListboxTest : public ControlTest {
protected:
    Listbox& List(int columns, int selectionType = 0, const std::string& widths = "", const std::string& name = "list")
    {
        return Make<Listbox>(name,
            {{"Left", 10}, {"Top", 10}, {"Width", 200}, {"Height", 150}, {"ColumnCount", columns}, {"ColumnWidths", widths},
                {"HasHeading", false}, {"SelectionType", selectionType}});
    }
    static QTreeView* Tree(Listbox& list) { return static_cast<QTreeView*>(list.Widget()); }
    static void ClickRow(Listbox& list, int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTreeView* tree = Tree(list);
        QRect rect = tree->visualRect(tree->model()->index(row, 0));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
};
}

TEST_F(ListboxTest, RowsAreAddedUnselectedRemovedAndTheirCellsKeptExactly)
{
    Listbox& list = List(2);
    EXPECT_EQ(list.ListCount(), 0);
    list.AddRow("German");
    list.AddRow("English");
    list.AddRow("bad \xFF");
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.Cell(0, 0), "German");
    EXPECT_EQ(list.Cell(0, 1), "");
    list.SetCell(1, 1, "en");
    list.SetCell(0, 1, "de\r");
    EXPECT_EQ(list.Cell(1, 1), "en");
    EXPECT_EQ(list.Cell(0, 1), "de\r");
    EXPECT_EQ(list.Cell(2, 0), "bad \xFF");
    EXPECT_EQ(Tree(list)->model()->index(2, 0).data().toString(), QString::fromUtf8("bad \xEF\xBF\xBD"));
    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(list.Selected(row));

    list.RemoveRow(0);
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.Cell(0, 0), "English");
    EXPECT_EQ(list.Cell(0, 1), "en");
}

TEST_F(ListboxTest, RowsAndColumnsThatDoNotExistAreOutOfBounds)
{
    Listbox& list = List(2);
    list.AddRow("only");
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"Cell row -1", [&] { list.Cell(-1, 0); }},
        {"Cell row 1", [&] { list.Cell(1, 0); }},
        {"Cell column 2", [&] { list.Cell(0, 2); }},
        {"Cell column -1", [&] { list.Cell(0, -1); }},
        {"SetCell row 1", [&] { list.SetCell(1, 0, "x"); }},
        {"SetCell column 2", [&] { list.SetCell(0, 2, "x"); }},
        {"RemoveRow 1", [&] { list.RemoveRow(1); }},
        {"RemoveRow -1", [&] { list.RemoveRow(-1); }},
        {"Selected 1", [&] { list.Selected(1); }},
        {"SetSelected 1", [&] { list.SetSelected(1, true); }},
    };
    for (const auto& [what, call] : calls)
        EXPECT_THROW(call(), OutOfBoundsException) << what;
    EXPECT_EQ(list.ListCount(), 1);
    EXPECT_EQ(list.Cell(0, 0), "only");
}

TEST_F(ListboxTest, SelectionTypeDecidesWhetherSeveralRowsCanBeSelected)
{
    Listbox& single = List(1, 0);
    Listbox& multiple = List(1, 1, "", "multiple");
    for (Listbox* list : {&single, &multiple})
        for (const char* row : {"a", "b", "c"})
            list->AddRow(row);
    EXPECT_EQ(Tree(multiple)->selectionMode(), QAbstractItemView::ExtendedSelection);

    Tree(single)->hide();
    ClickRow(multiple, 0);
    ClickRow(multiple, 2, Qt::ControlModifier);
    EXPECT_TRUE(multiple.Selected(0));
    EXPECT_FALSE(multiple.Selected(1));
    EXPECT_TRUE(multiple.Selected(2));
    multiple.SetSelected(1, true);
    EXPECT_TRUE(multiple.Selected(0) && multiple.Selected(1) && multiple.Selected(2));

    Tree(multiple)->hide();
    Tree(single)->show();
    ClickRow(single, 0);
    ClickRow(single, 2, Qt::ControlModifier);
    EXPECT_FALSE(single.Selected(0));
    EXPECT_TRUE(single.Selected(2));
    single.SetSelected(1, true);
    EXPECT_FALSE(single.Selected(2));
    EXPECT_TRUE(single.Selected(1));
    single.SetSelected(1, false);
    EXPECT_FALSE(single.Selected(1));
}

TEST_F(ListboxTest, TheKeyboardMovesExtendsAndSelectsAllRowsOfAMultipleSelectionList)
{
    Listbox& single = List(1, 0);
    Listbox& multiple = List(1, 1, "", "multiple");
    for (Listbox* list : {&single, &multiple})
        for (const char* row : {"a", "b", "c"})
            list->AddRow(row);
    const auto selected = [](Listbox& list) {
        std::vector<bool> rows;
        for (int row = 0; row < list.ListCount(); ++row)
            rows.push_back(list.Selected(row));
        return rows;
    };

    Tree(single)->hide();
    ClickRow(multiple, 0);
    QTest::keyClick(Tree(multiple), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selected(multiple), (std::vector<bool> {true, true, false}));
    QTest::keyClick(Tree(multiple), Qt::Key_Down);
    EXPECT_EQ(selected(multiple), (std::vector<bool> {false, false, true}));
    QTest::keyClick(Tree(multiple), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selected(multiple), (std::vector<bool> {true, true, true}));

    Tree(multiple)->hide();
    Tree(single)->show();
    ClickRow(single, 0);
    QTest::keyClick(Tree(single), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selected(single), (std::vector<bool> {false, true, false}));
    QTest::keyClick(Tree(single), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selected(single), (std::vector<bool> {false, true, false}));
}

TEST_F(ListboxTest, ColumnWidthsGivePixelsSharesAndTheRest)
{
    struct Case {
        int columns;
        std::string widths;
        std::vector<int> expected;
    };
    // The list is 200 wide.
    const std::vector<Case> cases = {
        {2, "250", {250, 0}},
        {2, "", {100, 100}},
        {3, "50%, *, 40", {100, 60, 40}},
        {3, "20", {20, 90, 90}},
        {1, "120,30", {120}},
    };
    for (const Case& c : cases) {
        Listbox& list = List(c.columns, 0, c.widths, "list " + c.widths);
        std::vector<int> widths;
        for (int column = 0; column < c.columns; ++column)
            widths.push_back(Tree(list)->columnWidth(column));
        EXPECT_EQ(widths, c.expected) << c.widths;
        EXPECT_EQ(list.ColumnWidths(), c.widths);
    }
}

TEST_F(ListboxTest, TheSecondColumnOfAFullWidthFirstColumnIsOutOfView)
{
    Listbox& list = Make<Listbox>("list",
        {{"Left", 0}, {"Top", 0}, {"Width", 250}, {"Height", 150}, {"ColumnCount", 2}, {"ColumnWidths", "250"s},
            {"ScrollbarHorizontal", false}, {"GridLinesHorizontal", 2}, {"GridLinesVertical", 3}});
    list.AddRow("English");
    list.SetCell(0, 1, "en");
    QCoreApplication::processEvents();
    QTreeView* tree = Tree(list);
    EXPECT_TRUE(tree->isHeaderHidden());
    EXPECT_EQ(tree->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QRect code = tree->visualRect(tree->model()->index(0, 1));
    EXPECT_FALSE(code.intersects(tree->viewport()->rect())) << code.x();
    EXPECT_GE(tree->visualRect(tree->model()->index(0, 0)).width(), tree->viewport()->width());
    EXPECT_EQ(list.GridLinesHorizontal(), 2);
    EXPECT_EQ(list.GridLinesVertical(), 3);
}

TEST_F(ListboxTest, InitialValueGivesRowsByLineAndCellsByTab)
{
    Listbox& list = List(2);
    _SetProperties(list, {{"InitialValue", "German\tde\rEnglish\ten\r"s}});
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.Cell(1, 0), "English");
    EXPECT_EQ(list.Cell(1, 1), "en");
}

// A cell may hold any text; the view (its delegate, size hints, tooltips and accessible texts
// alike) is given at most its first 300 characters, and Cell still gives the whole text.
TEST_F(ListboxTest, TheViewIsGivenTheStartOfALongCellAndCellTheWholeText)
{
    const auto times = [](std::size_t count, const std::string& piece) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const std::string acute = "\u0301", smile = "\U0001F600";
    const QString ellipsis = QStringLiteral("\u2026");
    const struct {
        const char* name;
        std::string cell;
        QString shown;
    } cases[] = {
        {"a letter and a million combining marks", "a" + times(1000000, acute), "a" + QString::fromStdString(times(299, acute)) + ellipsis},
        {"300 characters", times(300, "x"), QString(300, u'x')},
        {"301 characters", times(301, "x"), QString(300, u'x') + ellipsis},
        {"characters outside the basic plane", times(400, smile), QString::fromStdString(times(300, smile)) + ellipsis},
        {"invalid bytes", std::string(4000, '\xFF'), QString(300, QChar::ReplacementCharacter) + ellipsis},
        {"a sequence cut short after 300 characters", times(300, "x") + "\xE2\x82", QString(300, u'x') + ellipsis},
    };
    Listbox& list = List(2);
    for (const auto& c : cases) {
        list.AddRow(c.cell);
        list.SetCell(list.ListCount() - 1, 1, c.cell);
    }
    QTreeView* tree = Tree(list);
    for (int row = 0; row < list.ListCount(); ++row) {
        SCOPED_TRACE(cases[row].name);
        for (int column = 0; column < 2; ++column) {
            EXPECT_TRUE(list.Cell(row, column) == cases[row].cell);
            // Compared, not printed: a cell may be megabytes long.
            const QModelIndex cell = tree->model()->index(row, column);
            const QString shown = cell.data().toString();
            EXPECT_TRUE(shown == cases[row].shown) << shown.size() << " UTF-16 units shown";
            for (int role = 0; role < Qt::UserRole; ++role) {
                if (role != Qt::DisplayRole) {
                    EXPECT_FALSE(cell.data(role).isValid()) << "role " << role;
                }
            }
        }
    }
}
