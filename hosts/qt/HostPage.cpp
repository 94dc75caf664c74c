#include "hosts/qt/HostPage.h"

#include "config/Options.h"
#include "config/qt/ListColumns.h"
#include "hosts/qt/HostListModel.h"
#include "hosts/qt/HostListView.h"

#include <QHeaderView>
#include <QVBoxLayout>

THostPage::THostPage(QWidget* parent) : QWidget(parent), List_(new THostListView(this))
{
    setObjectName("HostPage");
    List_->setObjectName("TreeManagerHost");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(List_);
}

THostPage::~THostPage()
{
    Attach(nullptr);
}

void THostPage::Attach(TManagerHost* manager)
{
    List_->Attach(manager);
}

void THostPage::Tick()
{
    List_->Model().RefreshValues();
}

void THostPage::ApplyColumns()
{
    ::ApplyColumns(*List_->header(), Options().HostsListColumns);
    List_->TakeSortFromHeader();
}

void THostPage::ReadColumns()
{
    ::ReadColumns(*List_->header(), Options().HostsListColumns);
}
