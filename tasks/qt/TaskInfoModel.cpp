#include "tasks/qt/TaskInfoModel.h"

#include "config/ColumnCaptions.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskColumns.h"

void TTaskInfoModel::Attach(TManagerTask* manager)
{
    beginResetModel();
    Manager_ = manager;
    endResetModel();
}

void TTaskInfoModel::Refresh()
{
    emit dataChanged(index(0, 0), index(kTaskInfoRowCount - 1, 1));
}

int TTaskInfoModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kTaskInfoRowCount;
}

int TTaskInfoModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant TTaskInfoModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const TTaskItem* task = Manager_ ? TaskInfoSubject(Manager_->Rows()) : nullptr;
    const std::vector<std::string> captions = ColumnCaptions(clTaskList);
    if (index.column() == 0)
        return std::size_t(index.row()) < captions.size() ? QString::fromStdString(captions[std::size_t(index.row())])
                                                          : QString();
    const auto rows = TaskInfoRows(task, captions);
    return QString::fromStdString(rows[std::size_t(index.row())].Text);
}

QVariant TTaskInfoModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> captions = ColumnCaptions(clTaskInfo);
    return section >= 0 && section < int(captions.size()) ? QString::fromStdString(captions[std::size_t(section)])
                                                          : QString();
}
