#include "hosts/qt/dlgGraphProperties.h"

#include "ui_dlgGraphProperties.h"

#include <QColorDialog>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace {

// The check boxes and the switches they show.
using TSwitch = std::pair<QCheckBox * Ui::dlgGraphProperties::*, bool TTraffSchemaItem::*>;
const TSwitch kSwitches[] = {
    {&Ui::dlgGraphProperties::cbAnimateAxisTime, &TTraffSchemaItem::AnimateAxisTime},
    {&Ui::dlgGraphProperties::cbFilledGraph, &TTraffSchemaItem::FilledGraph},
    {&Ui::dlgGraphProperties::cbShowMeanValueLine, &TTraffSchemaItem::ShowMeanValueLine},
    {&Ui::dlgGraphProperties::cbAutoscale, &TTraffSchemaItem::AutoScale},
    {&Ui::dlgGraphProperties::cbShowCurrentSpeedGraph, &TTraffSchemaItem::ShowCurrentSpeedGraph},
    {&Ui::dlgGraphProperties::cbDrawHorizontalGrid, &TTraffSchemaItem::DrawHorizontalGrid},
    {&Ui::dlgGraphProperties::cbDrawTick, &TTraffSchemaItem::DrawTick},
    {&Ui::dlgGraphProperties::cbDrawVerticalGrid, &TTraffSchemaItem::DrawVerticalGrid},
    {&Ui::dlgGraphProperties::cbShowMaxSpeedText, &TTraffSchemaItem::ShowMaxSpeedText},
    {&Ui::dlgGraphProperties::cbShowCurrentSpeedText, &TTraffSchemaItem::ShowCurrentSpeedText},
    {&Ui::dlgGraphProperties::cbShowAverageSpeedText, &TTraffSchemaItem::ShowAverageSpeedText},
};

// The swatches and the colours they show, in the order of Colors_.
using TSwatch = std::pair<QFrame * Ui::dlgGraphProperties::*, TColor TTraffSchemaItem::*>;
const TSwatch kSwatches[] = {
    {&Ui::dlgGraphProperties::shpBackColor, &TTraffSchemaItem::BackColor},
    {&Ui::dlgGraphProperties::shpGridColor, &TTraffSchemaItem::GridColor},
    {&Ui::dlgGraphProperties::shpGraphColor, &TTraffSchemaItem::GraphColor},
    {&Ui::dlgGraphProperties::shpColorMeanValueLine, &TTraffSchemaItem::ColorMeanValueLine},
    {&Ui::dlgGraphProperties::shpColorSpeedText, &TTraffSchemaItem::ColorSpeedText},
};

QColor ToQColor(TColor color)
{
    return QColor(int(color & 0xff), int((color >> 8) & 0xff), int((color >> 16) & 0xff));
}

TColor FromQColor(const QColor& color)
{
    return TColor(color.red()) | TColor(color.green()) << 8 | TColor(color.blue()) << 16;
}

}  // namespace

TdlgGraphProperties::TdlgGraphProperties(TTraffSchemaCollection& schemes, ITaskDialogs& dialogs, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgGraphProperties>()), Schemes_(schemes), Dialogs_(dialogs),
      Copy_(schemes.Boxes())
{
    Ui_->setupUi(this);
    Copy_.Assign(schemes);
    if (Copy_.Default > Copy_.Count() - 1)
        Copy_.Default = std::max(Copy_.Count() - 1, 0);
    for (const auto& [swatch, color] : kSwatches)
        ((*Ui_).*swatch)->installEventFilter(this);
    FillNames();
    ShowScheme();

    connect(Ui_->cmbNameSchemas, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (Filling_ || index < 0)
            return;
        // What was not stored for the scheme shown before is dropped.
        Copy_.SetCurrent(index);
        ShowScheme();
    });
    connect(Ui_->btnAdd, &QPushButton::clicked, this, [this] {
        if (AddSchemaAsked(Copy_, Dialogs_)) {
            FillNames();
            ShowScheme();
        }
    });
    connect(Ui_->btnDelete, &QPushButton::clicked, this, [this] {
        if (DeleteSchemaAsked(Copy_, Dialogs_)) {
            FillNames();
            ShowScheme();
        }
    });
    connect(Ui_->btnApply, &QPushButton::clicked, this, &TdlgGraphProperties::Apply);
    connect(Ui_->btnSave, &QPushButton::clicked, this, [this] {
        Apply();
        Copy_.SaveToFile({});
    });
    connect(Ui_->btnOK, &QPushButton::clicked, this, [this] {
        Apply();
        accept();
    });
    connect(Ui_->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TdlgGraphProperties::~TdlgGraphProperties() = default;

void TdlgGraphProperties::FillNames()
{
    Filling_ = true;
    Ui_->cmbNameSchemas->clear();
    for (int i = 0; i < Copy_.Count(); ++i)
        Ui_->cmbNameSchemas->addItem(QString::fromStdString(Copy_[i].Name));
    Ui_->cmbNameSchemas->setCurrentIndex(Copy_.CurrentScheme() ? Copy_.Default : -1);
    Ui_->btnDelete->setEnabled(Copy_.Count() > 1);
    Filling_ = false;
}

void TdlgGraphProperties::ShowScheme()
{
    const TTraffSchemaItem* current = Copy_.CurrentScheme();
    const TTraffSchemaItem scheme = current ? *current : TTraffSchemaItem();
    for (const auto& [box, field] : kSwitches)
        ((*Ui_).*box)->setChecked(scheme.*field);
    Ui_->edVerticalDiv->setValue(scheme.VerticalDiv);
    for (std::size_t i = 0; i < std::size(kSwatches); ++i) {
        Colors_[i] = scheme.*kSwatches[i].second;
        ShowSwatch(*((*Ui_).*kSwatches[i].first), Colors_[i]);
    }
    for (QWidget* page : {Ui_->tsGraph, Ui_->tsGrids, Ui_->tsTexts, Ui_->tsColors})
        page->setEnabled(current != nullptr);
}

void TdlgGraphProperties::StoreScheme()
{
    TTraffSchemaItem* scheme = Copy_.CurrentScheme();
    if (!scheme)
        return;
    for (const auto& [box, field] : kSwitches)
        scheme->*field = ((*Ui_).*box)->isChecked();
    scheme->VerticalDiv = Ui_->edVerticalDiv->value();
    for (std::size_t i = 0; i < std::size(kSwatches); ++i)
        scheme->*kSwatches[i].second = Colors_[i];
}

void TdlgGraphProperties::Apply()
{
    StoreScheme();
    Schemes_.Assign(Copy_);
    emit Applied();
}

void TdlgGraphProperties::ShowSwatch(QFrame& swatch, TColor color)
{
    swatch.setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid palette(dark);").arg(ToQColor(color).name()));
}

bool TdlgGraphProperties::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        for (std::size_t i = 0; i < std::size(kSwatches); ++i) {
            QFrame& swatch = *((*Ui_).*kSwatches[i].first);
            if (watched != &swatch || !swatch.isEnabled())
                continue;
            const QColor chosen = QColorDialog::getColor(ToQColor(Colors_[i]), this);
            if (chosen.isValid()) {
                Colors_[i] = FromQColor(chosen);
                ShowSwatch(swatch, Colors_[i]);
            }
            return true;
        }
    return QDialog::eventFilter(watched, event);
}
