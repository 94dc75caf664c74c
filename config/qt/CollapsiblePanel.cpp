#include "config/qt/CollapsiblePanel.h"

#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kMinPanelHeight = 101;

}  // namespace

TCollapsiblePanel::TCollapsiblePanel(QSplitter& splitter, QWidget& list, QTabWidget& panel, const char* buttonName)
    : QObject(&panel), Splitter_(splitter), Panel_(panel)
{
    Splitter_.setStretchFactor(0, 1);
    Splitter_.setStretchFactor(1, 0);
    // The splitter refuses sizes of 100 pixels or less.
    Splitter_.setChildrenCollapsible(false);
    list.setMinimumHeight(kMinPanelHeight);
    Panel_.setMinimumHeight(kMinPanelHeight);
    auto* collapse = new QToolButton(&Panel_);
    collapse->setObjectName(buttonName);
    collapse->setAutoRaise(true);
    Panel_.setCornerWidget(collapse, Qt::TopRightCorner);
    connect(collapse, &QToolButton::clicked, this, [this] { SetCollapsed(!Collapsed_); });
    connect(Panel_.tabBar(), &QTabBar::tabBarClicked, this, [this] { SetCollapsed(false); });
    SetCollapsed(false);
}

void TCollapsiblePanel::SetCollapsed(bool collapsed)
{
    Collapsed_ = collapsed;
    auto* button = static_cast<QToolButton*>(Panel_.cornerWidget(Qt::TopRightCorner));
    button->setArrowType(collapsed ? Qt::UpArrow : Qt::DownArrow);
    const int tabs = Panel_.tabBar()->sizeHint().height() + 2;
    Panel_.setMinimumHeight(collapsed ? tabs : kMinPanelHeight);
    Panel_.setMaximumHeight(collapsed ? tabs : QWIDGETSIZE_MAX);
    const int total = std::max(Splitter_.height(), OpenHeight_ + kMinPanelHeight);
    // Collapsed, the list takes the room the panel leaves.
    Splitter_.setSizes(collapsed ? QList<int>{total, tabs} : QList<int>{total - OpenHeight_, OpenHeight_});
}

void TCollapsiblePanel::Apply(int openHeight, bool collapsed)
{
    OpenHeight_ = std::max(openHeight, kMinPanelHeight);
    SetCollapsed(collapsed);
}

void TCollapsiblePanel::Read(int& openHeight, bool& collapsed)
{
    const QList<int> sizes = Splitter_.sizes();
    if (!Collapsed_ && sizes.size() == 2 && sizes[1] > 0)
        OpenHeight_ = sizes[1];
    openHeight = OpenHeight_;
    collapsed = Collapsed_;
}
