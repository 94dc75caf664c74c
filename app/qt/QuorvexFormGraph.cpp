#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "config/Options.h"
#include "config/qt/QtLangWindow.h"
#include "core/Clock.h"
#include "hosts/TrafficUsage.h"
#include "hosts/qt/QtTrafficGraph.h"
#include "hosts/qt/dlgGraphProperties.h"
#include "tasks/qt/DialogShow.h"
#include "tasks/qt/QtMessageBoxes.h"
#include "tasks/qt/QtTaskDialogs.h"
#include "transfer/TrafficCounter.h"
#include "ui_QuorvexForm.h"

#include <QActionGroup>
#include <QMenu>
#include <QSplitter>

#include <algorithm>

namespace {

// The splitter under the graph gives it no less than this.
constexpr int kMinGraphHeight = 50;

}  // namespace

void TQuorvexForm::ConnectGraph()
{
    TrafficGraph1_ = new TQtTrafficGraph(*Boxes_, *Clock_, this);
    TTrafficGraph& graph = TrafficGraph1_->Graph();
    graph.SetConnectionTypes(&Session_->ConnectionTypes());
    graph.Schemes().LoadFromFile(Files_.Schemas);

    // The strip along the top of the window, its height set with the splitter under it.
    auto* splitter = new QSplitter(Qt::Vertical, Ui_->pnlMain);
    splitter->setObjectName(QStringLiteral("splHorUp"));
    splitter->setChildrenCollapsible(false);
    delete Ui_->layMain->replaceWidget(Ui_->splPages, splitter);
    splitter->addWidget(TrafficGraph1_);
    splitter->addWidget(Ui_->splPages);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    TrafficGraph1_->setMinimumHeight(kMinGraphHeight);
    splitter->setSizes({std::max(Options().iGraphHeight, kMinGraphHeight), 1 << 20});
    connect(splitter, &QSplitter::splitterMoved, this, [this] { Options().iGraphHeight = TrafficGraph1_->height(); });
    TrafficGraph1_->setVisible(Options().bGraphTrafVisible);

    QAction* show = Action("actGraphShow");
    show->setChecked(Options().bGraphTrafVisible);
    connect(show, &QAction::triggered, this, [this, show] {
        TOptions& options = Options();
        options.bGraphTrafVisible = !options.bGraphTrafVisible;
        TrafficGraph1_->setVisible(options.bGraphTrafVisible);
        show->setChecked(options.bGraphTrafVisible);
    });
    QAction* autoscale = Action("actGraphAutoscale");
    connect(autoscale, &QAction::triggered, this, [this] {
        TrafficGraph1_->Graph().ToggleAutoScale();
        TrafficGraph1_->update();
    });
    connect(Action("actGraphProperties"), &QAction::triggered, this, &TQuorvexForm::ShowGraphProperties);

    // The graph's popup menu; the scheme list is made again each time it opens.
    auto* popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("pmGraph"));
    auto* schemes = new QMenu(QStringLiteral("Схема"), popup);
    schemes->setObjectName(QStringLiteral("mnSchema"));
    popup->addAction(show);
    popup->addAction(autoscale);
    popup->addMenu(schemes);
    popup->addSeparator();
    popup->addAction(Action("actGraphProperties"));
    connect(popup, &QMenu::aboutToShow, this,
            [this, autoscale] { autoscale->setChecked(TrafficGraph1_->Graph().AutoScale()); });
    connect(schemes, &QMenu::aboutToShow, this, [this, schemes] {
        schemes->clear();
        TTraffSchemaCollection& list = TrafficGraph1_->Graph().Schemes();
        auto* group = new QActionGroup(schemes);
        for (int i = 0; i < list.Count(); ++i) {
            QAction* item = schemes->addAction(QString::fromStdString(list[i].Name));
            item->setCheckable(true);
            item->setChecked(i == list.Default);
            group->addAction(item);
            connect(item, &QAction::triggered, this, [this, i] {
                TrafficGraph1_->Graph().Schemes().SetCurrent(i);
                TrafficGraph1_->update();
            });
        }
    });
    TrafficGraph1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TrafficGraph1_, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint& at) { popup->popup(TrafficGraph1_->mapToGlobal(at)); });
    // The check mark in the view menu too.
    connect(Ui_->mnView, &QMenu::aboutToShow, this,
            [this, autoscale] { autoscale->setChecked(TrafficGraph1_->Graph().AutoScale()); });
}

void TQuorvexForm::ShowGraphProperties()
{
    TdlgGraphProperties dialog(TrafficGraph1_->Graph().Schemes(), *Dialogs_, this);
    TranslateQtForm(Language_, dialog);
    connect(&dialog, &TdlgGraphProperties::Applied, TrafficGraph1_, qOverload<>(&QWidget::update));
    ExecCentred(dialog, this);
}

void TQuorvexForm::CloseGraph()
{
    TrafficGraph1_->Timer().stop();
    TrafficGraph1_->Graph().Schemes().SaveToFile({});
}

int64_t TQuorvexForm::ReceivedSinceStart() const
{
    // The bytes not sampled yet count too.
    return (TrafficGraph1_ ? TrafficGraph1_->Graph().ReceivedSinceStart() : 0) + TrafficCounter().Value();
}
