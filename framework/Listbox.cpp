#include "Listbox.h"

#include "Exceptions.h"

#include <QHeaderView>
#include <QPainter>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>
#include <vector>

namespace {
// The cell's text as it was set; the item's display text is its UTF-8 reading.
constexpr int kStoredText = Qt::UserRole;

QPen GridPen(int style, const QColor& color)
{
    if (style < 2)
        return QPen(Qt::NoPen);
    return QPen(color, style >= 4 ? 2 : 1, style == 2 ? Qt::DotLine : Qt::SolidLine);
}

class GridLineDelegate : public QStyledItemDelegate {
public:
    GridLineDelegate(const Listbox& owner, QObject* parent) : QStyledItemDelegate(parent), owner_(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        QColor color = option.palette.color(QPalette::Mid);
        painter->save();
        painter->setPen(GridPen(owner_.GridLinesHorizontal(), color));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->setPen(GridPen(owner_.GridLinesVertical(), color));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }

private:
    const Listbox& owner_;
};
}

Listbox::Listbox(Window& window) : RectControl(window, new QTreeWidget), list_(static_cast<QTreeWidget*>(Widget()))
{
    list_->setColumnCount(1);
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setMinimumSectionSize(0);
    list_->setItemDelegate(new GridLineDelegate(*this, list_));
    ApplyScrollBars();
}

const PropertyTable& Listbox::DeclaredProperties() const
{
    auto ignoredCode = [](const char* name) { return Declare<Listbox, std::int32_t>(name, [](Listbox&, std::int32_t) {}); };
    auto ignoredFlag = [](const char* name) { return Declare<Listbox, bool>(name, [](Listbox&, bool) {}); };
    // Sorting, drag and drop, hierarchy, row heights and scroll positions are accepted and have no effect.
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<Listbox, bool>("Border", [](Listbox& l, bool v) { l.list_->setFrameShape(v ? QFrame::StyledPanel : QFrame::NoFrame); }),
        Declare<Listbox, std::int32_t>("ColumnCount", [](Listbox& l, std::int32_t v) { l.SetColumnCount(v); }),
        Declare<Listbox, const std::string&>("ColumnWidths", [](Listbox& l, const std::string& v) { l.SetColumnWidths(v); }),
        Declare<Listbox, bool>("HasHeading", [](Listbox& l, bool v) { l.SetHasHeading(v); }),
        ignoredFlag("UseFocusRing"),
        Declare<Listbox, const std::string&>("InitialValue", [](Listbox& l, const std::string& v) { l.AddInitialRows(v); }),
        ignoredCode("HeadingIndex"),
        Declare<Listbox, bool>("ScrollBarHorizontal", [](Listbox& l, bool v) {
            l.scrollBarHorizontal_ = v;
            l.ApplyScrollBars();
        }),
        Declare<Listbox, bool>("ScrollBarVertical", [](Listbox& l, bool v) {
            l.scrollBarVertical_ = v;
            l.ApplyScrollBars();
        }),
        Declare<Listbox, std::int32_t>("GridLinesHorizontal", [](Listbox& l, std::int32_t v) { l.SetGridLinesHorizontal(v); }),
        Declare<Listbox, std::int32_t>("GridLinesVertical", [](Listbox& l, std::int32_t v) { l.SetGridLinesVertical(v); }),
        ignoredCode("DefaultRowHeight"),
        ignoredFlag("ShowDropIndicator"),
        ignoredCode("_ScrollWidth"),
        ignoredCode("_ScrollOffset"),
        ignoredFlag("Hierarchical"),
        ignoredFlag("EnableDrag"),
        ignoredFlag("EnableDragReorder"),
        ignoredFlag("RequiresSelection"),
        Declare<Listbox, std::int32_t>("SelectionType", [](Listbox& l, std::int32_t v) { l.SetSelectionType(v); }),
        ignoredFlag("ColumnsResizable"),
        Declare<Listbox, bool>("AutoHideScrollbars", [](Listbox& l, bool v) {
            l.autoHideScrollBars_ = v;
            l.ApplyScrollBars();
        }),
    });
    return table;
}

int Listbox::ColumnCount() const
{
    return list_->columnCount();
}

void Listbox::SetColumnCount(int count)
{
    list_->setColumnCount(std::max(count, 1));
    ApplyColumnWidths();
}

void Listbox::SetColumnWidths(const std::string& widths)
{
    columnWidths_ = widths;
    ApplyColumnWidths();
}

void Listbox::ApplyColumnWidths()
{
    const int columns = list_->columnCount();
    const QStringList given = QString::fromStdString(columnWidths_).split(',');
    std::vector<int> widths(columns, -1);
    int fixed = 0, sharing = 0;
    for (int column = 0; column < columns; ++column) {
        QString width = column < given.size() ? given[column].trimmed() : QString();
        bool ok = false;
        if (width.endsWith('%')) {
            double percent = width.chopped(1).toDouble(&ok);
            widths[column] = qRound(Width() * percent / 100);
        } else {
            widths[column] = width.toInt(&ok);
        }
        if (ok && widths[column] >= 0) {
            fixed += widths[column];
        } else {
            widths[column] = -1;
            ++sharing;
        }
    }
    const int rest = std::max(0, Width() - fixed);
    for (int column = 0; column < columns; ++column)
        list_->setColumnWidth(column, widths[column] >= 0 ? widths[column] : rest / sharing);
}

bool Listbox::HasHeading() const
{
    return !list_->isHeaderHidden();
}

void Listbox::SetHasHeading(bool has)
{
    list_->setHeaderHidden(!has);
}

void Listbox::SetSelectionType(int type)
{
    selectionType_ = type;
    list_->setSelectionMode(type == 1 ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void Listbox::SetGridLinesHorizontal(int style)
{
    gridLinesHorizontal_ = style;
    list_->viewport()->update();
}

void Listbox::SetGridLinesVertical(int style)
{
    gridLinesVertical_ = style;
    list_->viewport()->update();
}

void Listbox::ApplyScrollBars()
{
    auto policy = [this](bool shown) {
        return !shown ? Qt::ScrollBarAlwaysOff : autoHideScrollBars_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    };
    list_->setHorizontalScrollBarPolicy(policy(scrollBarHorizontal_));
    list_->setVerticalScrollBarPolicy(policy(scrollBarVertical_));
}

void Listbox::AddInitialRows(const std::string& rows)
{
    if (rows.empty())
        return;
    QStringList lines = QString::fromStdString(rows).split(QRegularExpression("\r\n|\r|\n"));
    if (lines.back().isEmpty())
        lines.removeLast();
    for (const QString& line : lines) {
        const QStringList cells = line.split('\t');
        AddRow(cells.front().toStdString());
        for (int column = 1; column < std::min<int>(cells.size(), ColumnCount()); ++column)
            SetCell(ListCount() - 1, column, cells[column].toStdString());
    }
}

int Listbox::ListCount() const
{
    return list_->topLevelItemCount();
}

QTreeWidgetItem* Listbox::Row(int row) const
{
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException("Row " + std::to_string(row) + " of a list with " + std::to_string(ListCount()) + " rows.");
    return list_->topLevelItem(row);
}

void Listbox::CheckColumn(int column) const
{
    if (column < 0 || column >= ColumnCount())
        throw OutOfBoundsException("Column " + std::to_string(column) + " of a list with " + std::to_string(ColumnCount()) + " columns.");
}

void Listbox::AddRow(const std::string& text)
{
    auto* item = new QTreeWidgetItem;
    list_->addTopLevelItem(item);
    SetCell(ListCount() - 1, 0, text);
}

void Listbox::RemoveRow(int row)
{
    Row(row);
    delete list_->takeTopLevelItem(row);
}

std::string Listbox::Cell(int row, int column) const
{
    QTreeWidgetItem* item = Row(row);
    CheckColumn(column);
    return item->data(column, kStoredText).toByteArray().toStdString();
}

void Listbox::SetCell(int row, int column, const std::string& text)
{
    QTreeWidgetItem* item = Row(row);
    CheckColumn(column);
    item->setData(column, kStoredText, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    item->setText(column, QString::fromStdString(text));
}

bool Listbox::Selected(int row) const
{
    return Row(row)->isSelected();
}

void Listbox::SetSelected(int row, bool selected)
{
    QTreeWidgetItem* item = Row(row);
    if (selected && list_->selectionMode() == QAbstractItemView::SingleSelection)
        list_->clearSelection();
    item->setSelected(selected);
}
