#include "framework/Listbox.h"

#include "framework/text/Exceptions.h"
#include "framework/text/Text.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace {
// The most characters (code points) of a cell that the view is given. Laying out and shaping a
// row costs time in the length of its text, which is unbounded in a cell; no real cell comes near it.
constexpr qsizetype kShownCharacters = 300;

// The start of the cell as UTF-8, cut after kShownCharacters characters and then ended by "…".
QString Shown(const std::string& cell)
{
    // A character takes at most 4 bytes, and so does an invalid sequence that becomes one
    // replacement character: these bytes hold every character shown, and one more when there is more.
    const std::size_t bytes = std::min<std::size_t>(cell.size(), 4 * (kShownCharacters + 1));
    QString text = QString::fromUtf8(cell.data(), static_cast<qsizetype>(bytes));
    qsizetype end = 0;
    for (qsizetype characters = 0; characters < kShownCharacters && end < text.size(); ++characters)
        end += text[end].isHighSurrogate() ? 2 : 1;
    if (end == text.size() && bytes == cell.size())
        return text;
    text.truncate(end);
    return text + u'\u2026';
}
}

// The rows' texts as they were set, each row holding only the cells up to its last one set;
// the view reads the start of a cell as UTF-8 when it draws it.
class ListboxRows : public QAbstractTableModel {
public:
    explicit ListboxRows(QObject* parent) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : static_cast<int>(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return Shown(Cell(index.row(), index.column()));
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
    }

    void SetColumnCount(int count)
    {
        if (count > columns_) {
            beginInsertColumns({}, columns_, count - 1);
            columns_ = count;
            endInsertColumns();
        } else if (count < columns_) {
            beginRemoveColumns({}, count, columns_ - 1);
            columns_ = count;
            for (auto& row : rows_) {
                if (row.size() > static_cast<std::size_t>(count))
                    row.resize(count);
            }
            endRemoveColumns();
        }
    }

    void AddRow(const std::string& text)
    {
        const int row = rowCount();
        beginInsertRows({}, row, row);
        rows_.push_back({text});
        endInsertRows();
    }

    void RemoveRow(int row)
    {
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    }

    const std::string& Cell(int row, int column) const
    {
        static const std::string empty;
        const auto& cells = rows_[row];
        return static_cast<std::size_t>(column) < cells.size() ? cells[column] : empty;
    }

    void SetCell(int row, int column, const std::string& text)
    {
        auto& cells = rows_[row];
        if (static_cast<std::size_t>(column) >= cells.size())
            cells.resize(column + 1);
        cells[column] = text;
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }

private:
    std::vector<std::vector<std::string>> rows_;
    int columns_ = 1;
};

namespace {
// Every road to the selection, an accessibility tool's included, comes through here: a change
// the list refuses is refused before anything changes.
class ListboxSelection : public QItemSelectionModel {
public:
    ListboxSelection(QAbstractItemModel* model, QObject* parent, std::function<bool()> refuses)
        : QItemSelectionModel(model, parent), refuses_(std::move(refuses))
    {
    }
    using QItemSelectionModel::select;

    void select(const QItemSelection& selection, SelectionFlags command) override
    {
        if (!refuses_())
            QItemSelectionModel::select(selection, command);
    }

private:
    std::function<bool()> refuses_;
};

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

Listbox::Listbox(Window& window) : RectControl(window, NewOnMainThread<QTreeView>())
{
    List()->setModel(new ListboxRows(List()));
    QItemSelectionModel* made = List()->selectionModel();
    List()->setSelectionModel(new ListboxSelection(List()->model(), List(), [this] { return RefusesChange(); }));
    delete made;
    List()->setHeaderHidden(true);
    List()->setRootIsDecorated(false);
    List()->setItemsExpandable(false);
    List()->setUniformRowHeights(true);
    List()->setAllColumnsShowFocus(true);
    List()->header()->setStretchLastSection(false);
    List()->header()->setMinimumSectionSize(0);
    List()->setItemDelegate(new GridLineDelegate(*this, List()));
    ApplyScrollBars();
}

QTreeView* Listbox::List() const
{
    return WidgetAs<QTreeView>();
}

ListboxRows* Listbox::Rows() const
{
    return static_cast<ListboxRows*>(List()->model());
}

const PropertyTable& Listbox::DeclaredProperties() const
{
    // Sorting, drag and drop, hierarchy, row heights and scroll positions are accepted and have no effect.
    // clang-format off
    static const PropertyTable table = Extend(TextControlProperties(), {
        Declare<Listbox, bool>("Border", [](Listbox& l, bool v) { l.List()->setFrameShape(v ? QFrame::StyledPanel : QFrame::NoFrame); }),
        Declare<Listbox, std::int32_t>("ColumnCount", [](Listbox& l, std::int32_t v) { l.SetColumnCount(v); }),
        Declare<Listbox, const std::string&>("ColumnWidths", [](Listbox& l, const std::string& v) { l.SetColumnWidths(v); }),
        Declare<Listbox, bool>("HasHeading", [](Listbox& l, bool v) { l.SetHasHeading(v); }),
        Ignore<bool>("UseFocusRing"),
        Declare<Listbox, const std::string&>("InitialValue", [](Listbox& l, const std::string& v) { l.AddInitialRows(v); }),
        Ignore<std::int32_t>("HeadingIndex"),
        Declare<Listbox, bool>("ScrollBarHorizontal", [](Listbox& l, bool v) {
            OnMainThread(l.scrollBarHorizontal_) = v;
            l.ApplyScrollBars();
        }),
        Declare<Listbox, bool>("ScrollBarVertical", [](Listbox& l, bool v) {
            OnMainThread(l.scrollBarVertical_) = v;
            l.ApplyScrollBars();
        }),
        Declare<Listbox, std::int32_t>("GridLinesHorizontal", [](Listbox& l, std::int32_t v) { l.SetGridLinesHorizontal(v); }),
        Declare<Listbox, std::int32_t>("GridLinesVertical", [](Listbox& l, std::int32_t v) { l.SetGridLinesVertical(v); }),
        Ignore<std::int32_t>("DefaultRowHeight"),
        Ignore<bool>("ShowDropIndicator"),
        Ignore<std::int32_t>("_ScrollWidth"),
        Ignore<std::int32_t>("_ScrollOffset"),
        Ignore<bool>("Hierarchical"),
        Ignore<bool>("EnableDrag"),
        Ignore<bool>("EnableDragReorder"),
        Ignore<bool>("RequiresSelection"),
        Declare<Listbox, std::int32_t>("SelectionType", [](Listbox& l, std::int32_t v) { l.SetSelectionType(v); }),
        Ignore<bool>("ColumnsResizable"),
        Declare<Listbox, bool>("AutoHideScrollbars", [](Listbox& l, bool v) {
            OnMainThread(l.autoHideScrollBars_) = v;
            l.ApplyScrollBars();
        }),
    });
    // clang-format on
    return table;
}

int Listbox::ColumnCount() const
{
    return Rows()->columnCount();
}

void Listbox::SetColumnCount(int count)
{
    Rows()->SetColumnCount(std::max(count, 1));
    ApplyColumnWidths();
}

void Listbox::SetColumnWidths(const std::string& widths)
{
    OnMainThread(columnWidths_) = widths;
    ApplyColumnWidths();
}

void Listbox::ApplyColumnWidths()
{
    const int columns = Rows()->columnCount();
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
        List()->setColumnWidth(column, widths[column] >= 0 ? widths[column] : rest / sharing);
}

bool Listbox::HasHeading() const
{
    return !List()->isHeaderHidden();
}

void Listbox::SetHasHeading(bool has)
{
    List()->setHeaderHidden(!has);
}

void Listbox::SetSelectionType(int type)
{
    OnMainThread(selectionType_) = type;
    List()->setSelectionMode(type == 1 ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void Listbox::SetGridLinesHorizontal(int style)
{
    OnMainThread(gridLinesHorizontal_) = style;
    List()->viewport()->update();
}

void Listbox::SetGridLinesVertical(int style)
{
    OnMainThread(gridLinesVertical_) = style;
    List()->viewport()->update();
}

void Listbox::ApplyScrollBars()
{
    auto policy = [this](bool shown) {
        return !shown ? Qt::ScrollBarAlwaysOff : autoHideScrollBars_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    };
    List()->setHorizontalScrollBarPolicy(policy(scrollBarHorizontal_));
    List()->setVerticalScrollBarPolicy(policy(scrollBarVertical_));
}

void Listbox::AddInitialRows(const std::string& rows)
{
    if (rows.empty())
        return;
    QStringList lines = QString::fromStdString(ReplaceLineEndings(rows, "\n")).split('\n');
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
    return Rows()->rowCount();
}

void Listbox::CheckRow(int row) const
{
    if (row < 0 || row >= ListCount())
        throw OutOfBoundsException("Row " + std::to_string(row) + " of a list with " + std::to_string(ListCount()) + " rows.");
}

void Listbox::CheckColumn(int column) const
{
    if (column < 0 || column >= ColumnCount())
        throw OutOfBoundsException("Column " + std::to_string(column) + " of a list with " + std::to_string(ColumnCount()) + " columns.");
}

void Listbox::AddRow(const std::string& text)
{
    Rows()->AddRow(text);
}

void Listbox::RemoveRow(int row)
{
    CheckRow(row);
    Rows()->RemoveRow(row);
}

std::string Listbox::Cell(int row, int column) const
{
    CheckRow(row);
    CheckColumn(column);
    return Rows()->Cell(row, column);
}

void Listbox::SetCell(int row, int column, const std::string& text)
{
    CheckRow(row);
    CheckColumn(column);
    Rows()->SetCell(row, column, text);
}

bool Listbox::Selected(int row) const
{
    CheckRow(row);
    return List()->selectionModel()->isRowSelected(row);
}

void Listbox::SetSelected(int row, bool selected)
{
    CheckRow(row);
    QItemSelectionModel::SelectionFlags how = QItemSelectionModel::Rows;
    if (!selected)
        how |= QItemSelectionModel::Deselect;
    else if (List()->selectionMode() == QAbstractItemView::SingleSelection)
        how |= QItemSelectionModel::ClearAndSelect;
    else
        how |= QItemSelectionModel::Select;
    ChangeByProgram([&] { List()->selectionModel()->select(Rows()->index(row, 0), how); });
}
