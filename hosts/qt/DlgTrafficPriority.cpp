#include "hosts/qt/DlgTrafficPriority.h"

#include "tasks/PriorityNames.h"
#include "tasks/qt/TaskImages.h"

#include "ui_DlgTrafficPriority.h"

#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

TDlgTrafficPriority::TDlgTrafficPriority(TConnectionTypesEditor& editor, QWidget* parent)
    : QDialog(parent), Editor_(editor), Ui_(std::make_unique<Ui::DlgTrafficPriority>())
{
    Ui_->setupUi(this);
    // The unlimited priority hides the limit without moving the rest of the dialog.
    QSizePolicy limitPolicy = Ui_->gbLimit->sizePolicy();
    limitPolicy.setRetainSizeWhenHidden(true);
    Ui_->gbLimit->setSizePolicy(limitPolicy);
    for (const std::string& unit : Editor_.UnitNames())
        Ui_->cmbSpeedMeasure->addItem(Q(unit));
    Ui_->cmbSpeedMeasure->setCurrentIndex(Editor_.Unit());
    const std::vector<std::string> names = PriorityNames();
    for (int priority = 0; priority < kTrafficPriorityCount; ++priority)
        Ui_->cmbTrafficPriority->addItem(PriorityIcon(TTrafficPriority(priority)), std::size_t(priority) < names.size()
                                                                                       ? Q(names[std::size_t(priority)])
                                                                                       : QString::number(priority));
    Ui_->cmbTrafficPriority->setCurrentIndex(Editor_.Priority());
    Ui_->edMaxSpeed->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*([.,][0-9]*)?"), Ui_->edMaxSpeed));
    Ui_->rbUsePercent->setChecked(Editor_.Mode() == TConnectionTypesEditor::lmShare);
    Ui_->rbUseSpeed->setChecked(Editor_.Mode() == TConnectionTypesEditor::lmSpeed);
    FillTypes();

    connect(Ui_->cmbTypeConnection, &QComboBox::currentIndexChanged, this, [this](int index) {
        Editor_.SelectType(index);
        ShowValues();
    });
    connect(Ui_->cmbSpeedMeasure, &QComboBox::currentIndexChanged, this, [this](int unit) {
        Editor_.SelectUnit(unit);
        ShowValues();
    });
    connect(Ui_->cmbTrafficPriority, &QComboBox::currentIndexChanged, this, [this](int priority) {
        Editor_.SelectPriority(TTrafficPriority(priority));
        ShowValues();
    });
    connect(Ui_->rbUsePercent, &QRadioButton::toggled, this, [this](bool on) {
        Editor_.SetMode(on ? TConnectionTypesEditor::lmShare : TConnectionTypesEditor::lmSpeed);
        ShowEnabled();
    });
    connect(Ui_->edPercentUse, &QSpinBox::valueChanged, this,
            [this](int share) { Apply(Editor_.ShareTyped(std::to_string(share))); });
    connect(Ui_->edMaxSpeed, &QLineEdit::textEdited, this,
            [this](const QString& text) { Apply(Editor_.SpeedTyped(text.toStdString())); });
    connect(Ui_->btnAddConnection, &QPushButton::clicked, this, [this] {
        if (Editor_.Add())
            FillTypes();
    });
    connect(Ui_->btnEditConnection, &QPushButton::clicked, this, [this] {
        if (Editor_.Edit())
            FillTypes();
    });
    connect(Ui_->btnDeleteConnection, &QPushButton::clicked, this, [this] {
        if (Editor_.Delete())
            FillTypes();
    });
}

TDlgTrafficPriority::~TDlgTrafficPriority() = default;

void TDlgTrafficPriority::FillTypes()
{
    {
        const QSignalBlocker blocker(Ui_->cmbTypeConnection);
        Ui_->cmbTypeConnection->clear();
        for (const std::string& name : Editor_.TypeNames())
            Ui_->cmbTypeConnection->addItem(Q(name));
        Ui_->cmbTypeConnection->setCurrentIndex(Editor_.TypeIndex());
    }
    ShowValues();
}

void TDlgTrafficPriority::ShowValues()
{
    Ui_->edBandwidth->setText(Q(Editor_.BandwidthText()));
    Ui_->edMaxSpeed->setText(Q(Editor_.SpeedText()));
    {
        const QSignalBlocker blocker(Ui_->edPercentUse);
        Ui_->edPercentUse->setValue(Editor_.Share());
    }
    const std::vector<std::string> units = Editor_.UnitNames();
    Ui_->lblSpeedUnit->setText(Editor_.Unit() < int(units.size()) ? Q(units[std::size_t(Editor_.Unit())]) : QString());
    Ui_->gbLimit->setVisible(Editor_.LimitGroupVisible());
    ShowEnabled();
}

void TDlgTrafficPriority::ShowEnabled()
{
    const bool share = Editor_.Mode() == TConnectionTypesEditor::lmShare;
    Ui_->edPercentUse->setEnabled(share);
    Ui_->lblPercent->setEnabled(share);
    Ui_->edMaxSpeed->setEnabled(!share);
    Ui_->lblSpeedUnit->setEnabled(!share);
    Ui_->btnEditConnection->setEnabled(Editor_.CanEdit());
    Ui_->btnDeleteConnection->setEnabled(Editor_.CanDelete());
}

void TDlgTrafficPriority::Apply(const TConnectionTypesEditor::TFieldUpdate& update)
{
    if (update.SpeedText)
        Ui_->edMaxSpeed->setText(Q(*update.SpeedText));
    if (update.Share) {
        const QSignalBlocker blocker(Ui_->edPercentUse);
        Ui_->edPercentUse->setValue(*update.Share);
    }
}
