#include "records/qt/RecordListModel.h"

#include "config/qt/FileTypeIcon.h"
#include "records/qt/RecordRows.h"

#include <algorithm>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

TRecordListModel::TRecordListModel(QObject* parent) : TMirrorTableModel(parent) {}

TRecordListModel::~TRecordListModel()
{
    if (Rows_)
        Rows_->SetOnChanged(nullptr);
}

void TRecordListModel::Attach(IRecordRows* rows)
{
    if (Rows_)
        Rows_->SetOnChanged(nullptr);
    Rows_ = rows;
    if (Rows_ && Rows_->ColumnCount() != Columns_) {
        beginResetModel();
        Shown_.clear();
        Source_.clear();
        Columns_ = Rows_->ColumnCount();
        endResetModel();
    }
    if (Rows_)
        Rows_->SetOnChanged([this] { SyncRows(); });
    SyncRows();
}

void TRecordListModel::SyncRows()
{
    if (Syncing_)
        return;
    Syncing_ = true;
    std::vector<const void*> next;
    std::vector<int> source;
    if (Rows_)
        for (int i = 0; i < Rows_->Count(); ++i)
            if (!Rows_->Hidden(i)) {
                next.push_back(Rows_->Key(i));
                source.push_back(i);
            }
    SyncKeys(Shown_, next);
    Source_ = source;
    Syncing_ = false;
    emit RowsSynced();
}

int TRecordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Shown_.size());
}

int TRecordListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns_;
}

QVariant TRecordListModel::data(const QModelIndex& index, int role) const
{
    const int row = RowListIndex(index.row());
    if (!Rows_ || row < 0 || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole: return Q(Rows_->Text(row, index.column()));
    case Qt::DecorationRole: {
        const std::string file = index.column() == 0 ? Rows_->IconFile(row) : std::string();
        return file.empty() ? QVariant() : QVariant(FileTypeIcon(file));
    }
    case Qt::ToolTipRole: {
        const std::string hint = Rows_->Hint(row);
        return hint.empty() ? QVariant() : QVariant(Q(hint).replace("\r\n", "\n"));
    }
    default: return {};
    }
}

QVariant TRecordListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!Rows_ || orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> captions = Rows_->Captions();
    return section >= 0 && section < int(captions.size()) ? QVariant(Q(captions[std::size_t(section)])) : QVariant();
}

Qt::ItemFlags TRecordListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
