#include "tasks/qt/TaskLogModel.h"

#include "config/ColumnCaptions.h"
#include "config/Options.h"
#include "tasks/TaskLogView.h"

#include <QApplication>
#include <QColor>
#include <QStyle>

#include <bit>

namespace {

// A row's identity: its entry's number and time. Two rows alike make the model start over.
uint64_t RowKey(const TLogRow& row)
{
    return uint64_t(uint32_t(row.Index)) * 0x9E3779B97F4A7C15ull ^ std::bit_cast<uint64_t>(row.Time.Value);
}

QVariant CodeColour(int code)
{
    switch (code) {
    case 0:
    case 3: return QColor(239, 250, 240);
    case 1:
    case 4:
    case 5: return QColor(251, 222, 217);
    case 2:
    case 6: return QColor(234, 247, 255);
    default: return {};
    }
}

QIcon CodeIcon(int code)
{
    QStyle* style = QApplication::style();
    switch (code) {
    case 0:
    case 3: return style->standardIcon(QStyle::SP_DialogApplyButton);
    case 1: return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case 4:
    case 5: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    default: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    }
}

} // namespace

TTaskLogModel::~TTaskLogModel()
{
    if (View_)
        View_->OnChanged = nullptr;
}

void TTaskLogModel::Attach(TTaskLogView* view)
{
    if (View_)
        View_->OnChanged = nullptr;
    View_ = view;
    if (View_)
        View_->OnChanged = [this] { SyncRows(); };
    SyncRows();
}

void TTaskLogModel::SyncRows()
{
    if (Syncing_)
        return;
    Syncing_ = true;
    std::vector<uint64_t> next;
    const TLogList* log = View_ ? View_->ShownLog() : nullptr;
    if (View_)
        for (const TLogRow& row : View_->Rows())
            next.push_back(RowKey(row));
    if (log != Log_) {
        beginResetModel();
        Keys_ = next;
        Log_ = log;
        endResetModel();
    } else {
        SyncKeys(Keys_, next);
        if (!Keys_.empty())
            emit dataChanged(index(0, 0), index(int(Keys_.size()) - 1, kLogColumnCount - 1));
    }
    Syncing_ = false;
    emit RowsSynced();
}

int TTaskLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Keys_.size());
}

int TTaskLogModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kLogColumnCount;
}

QVariant TTaskLogModel::data(const QModelIndex& index, int role) const
{
    if (!View_ || !index.isValid() || std::size_t(index.row()) >= View_->Rows().size())
        return {};
    const TLogRow& row = View_->Rows()[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return QString::fromStdString(LogColumnText(row, index.column()));
    case Qt::DecorationRole: return index.column() == 0 ? QVariant(CodeIcon(row.Code)) : QVariant();
    case Qt::BackgroundRole: return Options().bTreeLogTaskStripped ? CodeColour(row.Code) : QVariant();
    default: return {};
    }
}

QVariant TTaskLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> captions = ColumnCaptions(clTaskLog);
    return section >= 0 && section < int(captions.size()) ? QString::fromStdString(captions[std::size_t(section)])
                                                          : QString();
}
