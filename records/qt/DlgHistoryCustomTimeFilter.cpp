#include "records/qt/DlgHistoryCustomTimeFilter.h"

#include "ui_DlgHistoryCustomTimeFilter.h"

#include <QLocale>

TDlgHistoryCustomTimeFilter::TDlgHistoryCustomTimeFilter(QDate from, QDate to, QWidget* parent)
    : QDialog(parent), Ui_(std::make_unique<Ui::DlgHistoryCustomTimeFilter>())
{
    Ui_->setupUi(this);
    // The long date of the user's locale ("9 December 2026").
    const QString format = QLocale().dateFormat(QLocale::LongFormat);
    for (QDateEdit* picker : {Ui_->dtpStart, Ui_->dtpStop}) {
        picker->setDisplayFormat(format);
        picker->setMinimumDate(QDate(1899, 12, 30));
    }
    Ui_->dtpStart->setDate(from);
    Ui_->dtpStop->setDate(to);
}

TDlgHistoryCustomTimeFilter::~TDlgHistoryCustomTimeFilter() = default;

QDate TDlgHistoryCustomTimeFilter::From() const
{
    return Ui_->dtpStart->date();
}

QDate TDlgHistoryCustomTimeFilter::To() const
{
    return Ui_->dtpStop->date();
}
