#include "hosts/qt/HostListView.h"

#include "config/Options.h"
#include "config/qt/ListDelegate.h"
#include "hosts/ManagerHost.h"
#include "hosts/qt/HostListModel.h"

#include <QHeaderView>

THostListView::THostListView(QWidget* parent)
    : TRowListView(new THostListModel, parent), Model_(static_cast<THostListModel*>(model()))
{
    TOptions& o = Options();
    setItemDelegate(new TListDelegate(
        *header(), {&o.bTreeManagerHostStripped, &o.bTreeManagerHostVertGrid, &o.bTreeManagerHostHorzGrid}, this));

    connect(header(), &QHeaderView::sectionClicked, this, &THostListView::ClickColumn);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (Manager_ && Manager_->HasSelectedHosts())
            emit PropertiesRequested();
    });
}

void THostListView::Attach(TManagerHost* manager)
{
    Manager_ = manager;
    Selection_ = manager ? std::make_unique<TRowSelection<THost>>(manager->Rows()) : nullptr;
    MirrorRows(Selection_.get());
    Model_->Attach(manager);
    if (Manager_ && Sort_.Column >= 0)
        Manager_->SortRows(Sort_);
}

void THostListView::TakeSortFromHeader()
{
    Sort_ = HeaderSort();
    if (Manager_ && Sort_.Column >= 0)
        Manager_->SortRows(Sort_);
}

void THostListView::ClickColumn(int column)
{
    if (!Manager_)
        return;
    Sort_.Click(column);
    Manager_->SortRows(Sort_);
    ShowSort(Sort_);
}
