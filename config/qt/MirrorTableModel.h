#pragma once

#include <QAbstractTableModel>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// A table model whose rows mirror a model-side row list. SyncKeys brings the mirrored keys
// to the new ones with the proper structural signals: removed rows, then a layout change
// for the rows that changed places, then inserted rows, so views keep their selection and
// scroll position. Keys identify rows and are never dereferenced, so a key may name a record
// that is gone already.
class TMirrorTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // True while the mirror changes: the views' own selection signals then say nothing
    // about the model-side rows.
    bool Syncing() const { return Syncing_; }

    // The row list's index of a model row (-1 for none), and the model row of a row-list
    // index (-1 while the filter hides it).
    int RowListIndex(int row) const { return row >= 0 && row < int(Source_.size()) ? Source_[std::size_t(row)] : -1; }
    int ModelRow(int rowListIndex) const
    {
        const auto found = std::lower_bound(Source_.begin(), Source_.end(), rowListIndex);
        return found != Source_.end() && *found == rowListIndex ? int(found - Source_.begin()) : -1;
    }

signals:
    // The rows were brought to the row list; the view mirrors selection and focus now.
    void RowsSynced();

protected:
    bool Syncing_ = false;
    std::vector<int> Source_;  // row-list index of each shown row, when the rows come from one

    template <class TKey>
    void SyncKeys(std::vector<TKey>& shown, const std::vector<TKey>& next)
    {
        const std::unordered_set<TKey> nextSet(next.begin(), next.end());
        if (nextSet.size() != next.size()) {  // rows cannot be told apart: start over
            beginResetModel();
            shown = next;
            endResetModel();
            return;
        }
        for (int row = int(shown.size()) - 1; row >= 0;) {
            if (nextSet.count(shown[std::size_t(row)])) {
                --row;
                continue;
            }
            const int last = row;
            while (row >= 0 && !nextSet.count(shown[std::size_t(row)]))
                --row;
            beginRemoveRows({}, row + 1, last);
            shown.erase(shown.begin() + row + 1, shown.begin() + last + 1);
            endRemoveRows();
        }
        const std::unordered_set<TKey> kept(shown.begin(), shown.end());
        std::vector<TKey> keptInNext;
        for (const TKey& key : next)
            if (kept.count(key))
                keptInNext.push_back(key);
        if (keptInNext != shown) {
            emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
            std::unordered_map<TKey, int> newRow;
            for (std::size_t i = 0; i < keptInNext.size(); ++i)
                newRow.emplace(keptInNext[i], int(i));
            const QModelIndexList from = persistentIndexList();
            QModelIndexList to;
            for (const QModelIndex& index : from)
                to.append(index.row() < int(shown.size())
                              ? createIndex(newRow.at(shown[std::size_t(index.row())]), index.column())
                              : QModelIndex());
            shown = keptInNext;
            changePersistentIndexList(from, to);
            emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        }
        for (std::size_t i = 0; i < next.size();) {
            if (i < shown.size() && shown[i] == next[i]) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < next.size() && !kept.count(next[end]))
                ++end;
            beginInsertRows({}, int(i), int(end) - 1);
            shown.insert(shown.begin() + std::ptrdiff_t(i), next.begin() + std::ptrdiff_t(i),
                         next.begin() + std::ptrdiff_t(end));
            endInsertRows();
            i = end;
        }
    }
};
