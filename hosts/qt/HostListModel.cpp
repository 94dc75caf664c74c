#include "hosts/qt/HostListModel.h"

#include "config/ColumnCaptions.h"
#include "hosts/HostColumns.h"
#include "hosts/ManagerHost.h"

#include <QIcon>

#include <algorithm>
#include <functional>
#include <unordered_map>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The host images: a server kept in the file, and a temporary one that is not.
QIcon HostIcon(int image)
{
    static const QIcon kept = QIcon::fromTheme("network-server");
    static const QIcon temporary = QIcon::fromTheme("network-workgroup", QIcon::fromTheme("folder-remote"));
    return image == 1 ? temporary : kept;
}

}  // namespace

THostListModel::THostListModel(QObject* parent) : TMirrorTableModel(parent) {}

THostListModel::~THostListModel()
{
    if (Manager_)
        Manager_->Rows().OnChanged = nullptr;
}

void THostListModel::Attach(TManagerHost* manager)
{
    if (Manager_)
        Manager_->Rows().OnChanged = nullptr;
    Manager_ = manager;
    if (Manager_)
        Manager_->Rows().OnChanged = [this] { SyncRows(); };
    SyncRows();
}

THost* THostListModel::Host(int row) const
{
    return row >= 0 && row < int(Shown_.size()) ? Shown_[std::size_t(row)] : nullptr;
}

void THostListModel::SyncRows()
{
    if (Syncing_)
        return;
    Syncing_ = true;
    std::vector<THost*> next;
    std::vector<int> source;
    if (Manager_) {
        const THostRows& rows = Manager_->Rows();
        for (int i = 0; i < rows.Count(); ++i)
            if (!rows.Row(i).Hidden) {
                next.push_back(rows.Record(i));
                source.push_back(i);
            }
    }
    std::unordered_map<THost*, std::size_t> hashes;
    for (std::size_t i = 0; i < Shown_.size() && i < Hashes_.size(); ++i)
        hashes.emplace(Shown_[i], Hashes_[i]);
    SyncKeys(Shown_, next);
    Source_ = source;
    Hashes_.clear();
    for (THost* host : Shown_) {
        const auto found = hashes.find(host);
        Hashes_.push_back(found != hashes.end() ? found->second : ValuesHash(*host));
    }
    Syncing_ = false;
    // A host edited in its dialog or counting a transfer changes with its rows' signal.
    RefreshValues();
    emit RowsSynced();
}

std::size_t THostListModel::ValuesHash(const THost& host)
{
    std::size_t hash = std::hash<bool>()(host.Temporary);
    for (int column = 0; column < kHostColumnCount; ++column)
        hash = hash * 1000003u ^ std::hash<std::string>()(HostColumnText(host, THostColumn(column)));
    return hash;
}

void THostListModel::RefreshValues()
{
    int first = -1;
    int last = -1;
    for (std::size_t row = 0; row < Shown_.size(); ++row) {
        const std::size_t hash = ValuesHash(*Shown_[row]);
        if (hash == Hashes_[row])
            continue;
        Hashes_[row] = hash;
        if (first < 0)
            first = int(row);
        last = int(row);
    }
    if (first >= 0)
        emit dataChanged(index(first, 0), index(last, kHostColumnCount - 1));
}

int THostListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Shown_.size());
}

int THostListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kHostColumnCount;
}

QVariant THostListModel::data(const QModelIndex& index, int role) const
{
    const THost* host = Host(index.row());
    if (!host || !index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole: return Q(HostColumnText(*host, THostColumn(index.column())));
    case Qt::DecorationRole: return index.column() == hcName ? QVariant(HostIcon(HostImageIndex(*host))) : QVariant();
    case Qt::ToolTipRole: {
        const std::string hint = HostRowHint(*host, ColumnCaptions(clHosts));
        return hint.empty() ? QVariant() : QVariant(Q(hint).replace("\r\n", "\n"));
    }
    default: return {};
    }
}

QVariant THostListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::vector<std::string> captions = ColumnCaptions(clHosts);
    return section >= 0 && section < int(captions.size()) ? QVariant(Q(captions[std::size_t(section)])) : QVariant();
}
