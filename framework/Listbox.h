#pragma once

#include "framework/RectControl.h"

#include <string>

class ListboxRows;
class QTreeView;

// A list of rows with one or more columns. Cells hold their text exactly as it was set and show
// it as UTF-8, at most its first 300 characters (code points) and then "…", so that no text
// holds up the drawing of the list; a row costs little more than the texts it holds. Rows and
// columns count from 0; a row or column that does not exist raises OutOfBoundsException. While
// program code waits the user cannot change the selection (see ProgramWaiting); code sets it
// all the same.
class Listbox : public RectControl {
public:
    explicit Listbox(Window& window);

    const PropertyTable& DeclaredProperties() const override;

    int ColumnCount() const;
    void SetColumnCount(int count);
    // Comma-separated widths, one per column from the first: pixels ("250"), a share of the
    // list's width ("40%") or a part of what is left ("*"); columns without one share what is left.
    const std::string& ColumnWidths() const { return OnMainThread(columnWidths_); }
    void SetColumnWidths(const std::string& widths);
    bool HasHeading() const;
    void SetHasHeading(bool has);
    // 0 one row at a time, 1 several rows at once.
    int SelectionType() const { return OnMainThread(selectionType_); }
    void SetSelectionType(int type);
    // 0 and 1 no lines, 2 dotted, 3 solid, 4 and above thick solid.
    int GridLinesHorizontal() const { return OnMainThread(gridLinesHorizontal_); }
    void SetGridLinesHorizontal(int style);
    int GridLinesVertical() const { return OnMainThread(gridLinesVertical_); }
    void SetGridLinesVertical(int style);

    int ListCount() const;
    // Appends an unselected row with the text in column 0.
    void AddRow(const std::string& text);
    // Removes the row; the rows after it move up.
    void RemoveRow(int row);
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    bool Selected(int row) const;
    void SetSelected(int row, bool selected);

private:
    QTreeView* List() const;
    ListboxRows* Rows() const;
    void CheckRow(int row) const;
    void CheckColumn(int column) const;
    void ApplyColumnWidths();
    void ApplyScrollBars();
    void AddInitialRows(const std::string& rows);

protected:
    void PlacementChanged() override { ApplyColumnWidths(); }

private:
    std::string columnWidths_;
    int selectionType_ = 0;
    int gridLinesHorizontal_ = 0, gridLinesVertical_ = 0;
    bool scrollBarHorizontal_ = false, scrollBarVertical_ = true, autoHideScrollBars_ = true;
};
