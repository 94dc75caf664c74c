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

THostListModel::THostListModel(QObject* parent) : TRowListModel(parent)
{
    // A host edited in its dialog or counting a transfer changes with its rows' signal.
    RefreshOnSync_ = true;
}

void THostListModel::Attach(TManagerHost* manager)
{
    AttachRows(manager ? &manager->Rows() : nullptr);
}

std::size_t THostListModel::ValuesHash(const THost& host) const
{
    std::size_t hash = std::hash<bool>()(host.Temporary);
    for (int column = 0; column < kHostColumnCount; ++column)
        hash = hash * 1000003u ^ std::hash<std::string>()(HostColumnText(host, THostColumn(column)));
    return hash;
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
