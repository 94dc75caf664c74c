#include "records/qt/HistoryListModel.h"

#include "config/ColumnCaptions.h"
#include "config/Options.h"
#include "core/Links.h"
#include "records/HistoryManager.h"
#include "records/RecordColumns.h"

#include <QMimeDatabase>

#include <algorithm>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

THistoryListModel::THistoryListModel(QObject* parent) : TMirrorTableModel(parent) {}

THistoryListModel::~THistoryListModel()
{
    if (Manager_)
        Manager_->Rows().OnChanged = nullptr;
}

void THistoryListModel::Attach(THistoryManager* manager)
{
    if (Manager_)
        Manager_->Rows().OnChanged = nullptr;
    Manager_ = manager;
    if (Manager_)
        Manager_->Rows().OnChanged = [this] { SyncRows(); };
    SyncRows();
}

THistoryItem* THistoryListModel::Record(int row) const
{
    return row >= 0 && row < int(Shown_.size()) ? Shown_[std::size_t(row)] : nullptr;
}

int THistoryListModel::RowListIndex(int row) const
{
    return row >= 0 && row < int(Source_.size()) ? Source_[std::size_t(row)] : -1;
}

int THistoryListModel::ModelRow(int rowListIndex) const
{
    const auto found = std::lower_bound(Source_.begin(), Source_.end(), rowListIndex);
    return found != Source_.end() && *found == rowListIndex ? int(found - Source_.begin()) : -1;
}

void THistoryListModel::SyncRows()
{
    if (Syncing_)
        return;
    Syncing_ = true;
    std::vector<THistoryItem*> next;
    std::vector<int> source;
    if (Manager_) {
        const THistoryRows& rows = Manager_->Rows();
        for (int i = 0; i < rows.Count(); ++i)
            if (!rows.Row(i).Hidden) {
                next.push_back(rows.Record(i));
                source.push_back(i);
            }
    }
    SyncKeys(Shown_, next);
    Source_ = source;
    Syncing_ = false;
    emit RowsSynced();
}

void THistoryListModel::RefreshValues()
{
    if (!Shown_.empty())
        emit dataChanged(index(0, 0), index(int(Shown_.size()) - 1, kHistoryColumnCount - 1));
}

int THistoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Shown_.size());
}

int THistoryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kHistoryColumnCount;
}

QIcon THistoryListModel::FileIcon(const THistoryItem& record) const
{
    // By the extension alone: the copy may be gone or on a share that must not be touched.
    const QString extension = Q(ExtractExtension(record.Name())).toLower();
    const auto found = Icons_.constFind(extension);
    if (found != Icons_.constEnd())
        return *found;
    static const QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile("file." + extension, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    Icons_.insert(extension, icon);
    return icon;
}

QVariant THistoryListModel::data(const QModelIndex& index, int role) const
{
    const THistoryItem* record = Record(index.row());
    if (!record || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole: return Q(HistoryColumnText(*record, index.column()));
    case Qt::DecorationRole:
        return index.column() == 0 && Options().ShowDefIcons ? QVariant(FileIcon(*record)) : QVariant();
    case Qt::ToolTipRole: {
        if (!Options().bShowHintForListView)
            return {};
        return Q(HistoryRowHint(*record, ColumnCaptions(clHistory))).replace("\r\n", "\n");
    }
    default: return {};
    }
}

QVariant THistoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> captions = ColumnCaptions(clHistory);
    return section >= 0 && section < int(captions.size()) ? QVariant(Q(captions[std::size_t(section)])) : QVariant();
}

Qt::ItemFlags THistoryListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
