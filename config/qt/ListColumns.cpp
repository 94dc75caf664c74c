#include "config/qt/ListColumns.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>
#include <numeric>

namespace {

const char* const kAlignmentsProperty = "quorvexColumnAlignments";
// The widths of hidden columns: a hidden section reports no size.
const char* const kWidthsProperty = "quorvexColumnWidths";

void RememberWidth(QHeaderView& header, int column, int width)
{
    QList<int> widths = header.property(kWidthsProperty).value<QList<int>>();
    while (widths.size() <= column)
        widths.append(-1);
    widths[column] = width;
    header.setProperty(kWidthsProperty, QVariant::fromValue(widths));
}

int RememberedWidth(const QHeaderView& header, int column)
{
    const QList<int> widths = header.property(kWidthsProperty).value<QList<int>>();
    return column < widths.size() ? widths[column] : -1;
}

Qt::Alignment AlignmentFlags(int alignment)
{
    switch (alignment) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

int StoredAlignment(const QHeaderView& header, int column)
{
    const QList<int> alignments = header.property(kAlignmentsProperty).value<QList<int>>();
    return column >= 0 && column < alignments.size() ? alignments[column] : 0;
}

} // namespace

void ApplyColumns(QHeaderView& header, const std::vector<TListColumnStore>& columns)
{
    const int count = std::min(header.count(), int(columns.size()));
    QList<int> alignments;
    for (int i = 0; i < count; ++i)
        alignments.append(columns[std::size_t(i)].Alignment);
    header.setProperty(kAlignmentsProperty, QVariant::fromValue(alignments));

    // Display positions: the columns in the order of their stored positions, ties in column
    // order, so repeated or missing positions lose no column.
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return columns[std::size_t(a)].Position < columns[std::size_t(b)].Position;
    });
    for (int visual = 0; visual < count; ++visual)
        header.moveSection(header.visualIndex(order[std::size_t(visual)]), visual);

    int sorted = -1;
    Qt::SortOrder direction = Qt::AscendingOrder;
    for (int i = 0; i < count; ++i) {
        const TListColumnStore& column = columns[std::size_t(i)];
        header.setSectionHidden(i, false);
        header.resizeSection(i, std::max(column.Width, 0));
        RememberWidth(header, i, std::max(column.Width, 0));
        header.setSectionHidden(i, !column.Visible);
        if (column.Sorted && sorted < 0) {
            sorted = i;
            direction = column.SortDirection == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
        }
    }
    header.setSortIndicatorShown(sorted >= 0);
    header.setSortIndicator(sorted, direction);
    if (auto* list = qobject_cast<QAbstractItemView*>(header.parentWidget()))
        list->viewport()->update();
}

void ReadColumns(const QHeaderView& header, std::vector<TListColumnStore>& columns)
{
    const int count = header.count();
    columns.resize(std::size_t(count));
    const bool anySorted = header.isSortIndicatorShown();
    for (int i = 0; i < count; ++i) {
        TListColumnStore& column = columns[std::size_t(i)];
        if (const QAbstractItemModel* model = header.model())
            column.Caption = model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
        column.Visible = !header.isSectionHidden(i);
        if (column.Visible)
            column.Width = header.sectionSize(i);
        else if (RememberedWidth(header, i) >= 0)
            column.Width = RememberedWidth(header, i);
        column.Alignment = StoredAlignment(header, i);
        column.Position = header.visualIndex(i);
        column.Sorted = anySorted && header.sortIndicatorSection() == i;
        if (column.Sorted)
            column.SortDirection = header.sortIndicatorOrder() == Qt::DescendingOrder ? 1 : 0;
    }
}

Qt::Alignment ColumnAlignment(const QHeaderView& header, int column)
{
    return AlignmentFlags(StoredAlignment(header, column));
}

QMenu* CreateColumnHeaderMenu(QHeaderView& header, int mainColumn, const QList<QAction*>& commands, QWidget* parent,
                              bool columnItems)
{
    auto* menu = new QMenu(parent);
    int shown = 0;
    for (int i = 0; i < header.count(); ++i)
        shown += header.isSectionHidden(i) ? 0 : 1;
    for (int i = 0; columnItems && i < header.count(); ++i) {
        const QString caption = header.model() ? header.model()->headerData(i, Qt::Horizontal).toString() : QString();
        QAction* item = menu->addAction(caption);
        item->setCheckable(true);
        item->setChecked(!header.isSectionHidden(i));
        item->setEnabled(i != mainColumn && !(shown == 1 && item->isChecked()));
        QObject::connect(item, &QAction::toggled, &header, [&header, i](bool on) {
            if (!on)
                RememberWidth(header, i, header.sectionSize(i));
            header.setSectionHidden(i, !on);
        });
    }
    if (!commands.isEmpty()) {
        if (columnItems)
            menu->addSeparator();
        menu->addActions(commands);
    }
    return menu;
}

void InstallColumnHeaderMenu(QHeaderView& header, int mainColumn, std::function<QList<QAction*>()> commands,
                             std::function<void()> opened, bool columnItems)
{
    header.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&header, &QHeaderView::customContextMenuRequested, &header,
                     [&header, mainColumn, commands, opened, columnItems](const QPoint& at) {
                         if (opened)
                             opened();
                         QMenu* menu = CreateColumnHeaderMenu(header, mainColumn, commands ? commands() : QList<QAction*>{},
                                                              &header, columnItems);
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->popup(header.mapToGlobal(at));
                     });
}
