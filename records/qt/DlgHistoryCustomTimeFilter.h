#pragma once

#include <QDate>
#include <QDialog>

#include <memory>

namespace Ui {
class DlgHistoryCustomTimeFilter;
}

// Asks for the history's range of days: from one date to another, both included. The
// history puts a reversed range in order.
class TDlgHistoryCustomTimeFilter : public QDialog {
    Q_OBJECT
public:
    TDlgHistoryCustomTimeFilter(QDate from, QDate to, QWidget* parent = nullptr);
    ~TDlgHistoryCustomTimeFilter() override;

    QDate From() const;
    QDate To() const;

private:
    std::unique_ptr<Ui::DlgHistoryCustomTimeFilter> Ui_;
};
