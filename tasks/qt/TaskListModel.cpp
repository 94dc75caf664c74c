#include "tasks/qt/TaskListModel.h"

#include "config/ColumnCaptions.h"
#include "config/qt/FileTypeIcon.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskColumns.h"

#include <QMimeData>

#include <functional>
#include <unordered_map>

namespace {

const char* const kRowsMimeType = "application/x-quorvex-task-rows";

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

TTaskListModel::TTaskListModel(QObject* parent) : TRowListModel(parent) {}

void TTaskListModel::Attach(TManagerTask* manager)
{
    Manager_ = manager;
    AttachRows(manager ? &manager->Rows() : nullptr);
}

std::size_t TTaskListModel::ValuesHash(const TTaskItem& task) const
{
    std::size_t hash = std::hash<int>()(int(task.State()) * 8 + int(task.TrafficPriority));
    const auto mix = [&hash](std::size_t value) { hash = hash * 1000003u ^ value; };
    if (task.State() == stateStarted) {
        // A running task's times and speed move by themselves: its texts are compared.
        for (int column = 0; column < kTaskColumnCount; ++column)
            mix(std::hash<std::string>()(TaskColumnText(task, column)));
        return hash;
    }
    // The others change only with the values their texts are made of, which are far cheaper
    // to compare than to format on every tick for every row of a long list.
    const std::hash<std::string> text;
    mix(text(task.Name()));
    mix(text(task.Source));
    mix(text(task.Destination));
    mix(std::size_t(task.Index()));
    mix(std::size_t(task.Size));
    mix(std::size_t(task.Loaded));
    mix(std::size_t(task.Retry));
    mix(std::hash<double>()(task.TimeCreated.Value));
    mix(std::size_t(task.Elapsed()));
    mix(std::size_t(task.Left()));
    mix(std::hash<double>()(double(task.Speed())));
    return hash;
}

int TTaskListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kTaskColumnCount;
}

QVariant TTaskListModel::data(const QModelIndex& index, int role) const
{
    const TTaskItem* task = Task(index.row());
    if (!task || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == kTaskPriorityColumn ? QVariant() : QVariant(Q(TaskColumnText(*task, index.column())));
    case Qt::DecorationRole: return index.column() == 0 ? QVariant(FileTypeIcon(task->Source)) : QVariant();
    case Qt::ToolTipRole: {
        const std::string hint = TaskRowHint(*task, ColumnCaptions(clTaskList));
        return hint.empty() ? QVariant() : QVariant(Q(hint).replace("\r\n", "\n"));
    }
    case PercentRole: return task->Percent();
    case PriorityRole: return int(task->TrafficPriority);
    case StateRole: return int(task->State());
    default: return {};
    }
}

QVariant TTaskListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> captions = ColumnCaptions(clTaskList);
    return section >= 0 && section < int(captions.size()) ? QVariant(Q(captions[std::size_t(section)])) : QVariant();
}

Qt::ItemFlags TTaskListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QStringList TTaskListModel::mimeTypes() const
{
    return {kRowsMimeType};
}

QMimeData* TTaskListModel::mimeData(const QModelIndexList& indexes) const
{
    // The dragged rows are the selected ones of the row list: the drop moves those.
    auto* mime = new QMimeData;
    mime->setData(kRowsMimeType, QByteArray::number(indexes.size()));
    return mime;
}

bool TTaskListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex& parent)
{
    if (!Manager_ || !data || !data->hasFormat(kRowsMimeType) || action != Qt::MoveAction)
        return false;
    // A drop on a row targets it; a drop between rows the row below; below the last row
    // the last one.
    int target = parent.isValid() ? parent.row() : row;
    if (target < 0 || target >= int(Shown_.size()))
        target = int(Shown_.size()) - 1;
    const int rowListIndex = RowListIndex(target);
    if (rowListIndex < 0)
        return false;
    Manager_->MoveSelectedTo(rowListIndex);
    // The rows moved already; the view must not remove the dragged ones.
    return false;
}
