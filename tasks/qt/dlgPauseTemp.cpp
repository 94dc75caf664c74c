#include "tasks/qt/dlgPauseTemp.h"

#include "ui_dlgPauseTemp.h"

#include "tasks/DialogRanges.h"

TdlgPauseTemp::TdlgPauseTemp(int minutes, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::dlgPauseTemp>())
{
    Ui_->setupUi(this);
    Ui_->edPeriod->setRange(kPauseMinutesRange.Min, kPauseMinutesRange.Max);
    Ui_->edPeriod->setValue(kPauseMinutesRange.Clamp(minutes));
}

TdlgPauseTemp::~TdlgPauseTemp() = default;

int TdlgPauseTemp::Minutes() const
{
    return kPauseMinutesRange.Clamp(Ui_->edPeriod->value());
}
