#include "records/qt/QtRecordDialogs.h"

#include "config/qt/QtLangWindow.h"
#include "records/qt/DlgHistoryCustomTimeFilter.h"
#include "records/qt/DlgRecordProperties.h"
#include "tasks/qt/DialogShow.h"

#include <cmath>

namespace {

// The days of a date-time count from 30 December 1899.
const qint64 kEpochDay = QDate(1899, 12, 30).toJulianDay();

QDate DateOf(TDateTime value)
{
    return QDate::fromJulianDay(kEpochDay + qint64(std::floor(value.Value)));
}

TDateTime DateTimeOf(QDate date)
{
    return TDateTime{double(date.toJulianDay() - kEpochDay)};
}

}  // namespace

void TQtRecordDialogs::ShowRecordProperties(const TRecordPropertiesForm& form)
{
    if (form.Deleted) {
        TDlgRecycleBinProperties dialog(form, Owner_);
        if (Language_)
            TranslateQtForm(*Language_, dialog);
        ExecCentred(dialog, Owner_);
        return;
    }
    IDesktop* desktop = Desktop_;
    TDlgHistoryProperties dialog(form,
                                 desktop ? [desktop](const std::string& path) { desktop->ShellOpen(path); }
                                         : std::function<void(const std::string&)>(),
                                 Owner_);
    if (Language_)
        TranslateQtForm(*Language_, dialog);
    ExecCentred(dialog, Owner_);
}

bool TQtRecordDialogs::ShowCustomRangeDialog(TDateTime& from, TDateTime& to)
{
    TDlgHistoryCustomTimeFilter dialog(DateOf(from), DateOf(to), Owner_);
    if (Language_)
        TranslateQtForm(*Language_, dialog);
    if (ExecCentred(dialog, Owner_) != QDialog::Accepted)
        return false;
    from = DateTimeOf(dialog.From());
    to = DateTimeOf(dialog.To());
    return true;
}
