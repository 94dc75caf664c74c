#include "config/qt/InfoListModel.h"

namespace {

QVariant Caption(TCaptionedList list, int index)
{
    const std::vector<std::string> captions = ColumnCaptions(list);
    return index >= 0 && std::size_t(index) < captions.size() ? QString::fromStdString(captions[std::size_t(index)])
                                                              : QString();
}

}  // namespace

TInfoListModel::TInfoListModel(TCaptionedList rowCaptions, int rows, TCaptionedList header, QObject* parent)
    : QAbstractTableModel(parent), RowCaptions_(rowCaptions), Rows_(rows), Header_(header)
{
}

void TInfoListModel::SetText(TText text)
{
    beginResetModel();
    Text_ = std::move(text);
    endResetModel();
}

void TInfoListModel::Refresh()
{
    emit dataChanged(index(0, 0), index(Rows_ - 1, 1));
}

int TInfoListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Rows_;
}

int TInfoListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant TInfoListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    if (index.column() == 0)
        return Caption(RowCaptions_, index.row());
    return Text_ ? QString::fromStdString(Text_(index.row())) : QString();
}

QVariant TInfoListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return Caption(Header_, section);
}
