#include "records/qt/HistoryInfoModel.h"

#include "config/ColumnCaptions.h"
#include "records/HistoryManager.h"
#include "records/RecordColumns.h"

void THistoryInfoModel::Attach(THistoryManager* manager)
{
    beginResetModel();
    Manager_ = manager;
    endResetModel();
}

void THistoryInfoModel::Refresh()
{
    emit dataChanged(index(0, 0), index(kHistoryColumnCount - 1, 1));
}

int THistoryInfoModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kHistoryColumnCount;
}

int THistoryInfoModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant THistoryInfoModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    if (index.column() == 0) {
        const std::vector<std::string> captions = ColumnCaptions(clHistory);
        return std::size_t(index.row()) < captions.size() ? QString::fromStdString(captions[std::size_t(index.row())])
                                                          : QString();
    }
    const THistoryItem* record = Manager_ ? Manager_->InfoSubject() : nullptr;
    return record ? QString::fromStdString(HistoryColumnText(*record, index.row())) : QString();
}

QVariant THistoryInfoModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> captions = ColumnCaptions(clHistoryInfo);
    return section >= 0 && section < int(captions.size()) ? QString::fromStdString(captions[std::size_t(section)])
                                                          : QString();
}
