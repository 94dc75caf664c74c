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
        // Wide enough for the longest date of the format.
        picker->setMinimumWidth(picker->fontMetrics().horizontalAdvance(QLocale().toString(QDate(2000, 9, 27), format))
                                + 48);
    }
    adjustSize();
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
