#pragma once

#include <QDialog>

#include <memory>

class TUserAgentForm;

namespace Ui {
class dlgUserAgent;
}

// A user agent's name and agent string. OK hands both to the form; the form decides
// whether they are taken.
class TdlgUserAgent : public QDialog {
    Q_OBJECT

public:
    explicit TdlgUserAgent(TUserAgentForm& form, QWidget* parent = nullptr);
    ~TdlgUserAgent() override;

    void accept() override;

private:
    std::unique_ptr<Ui::dlgUserAgent> Ui_;
    TUserAgentForm& Form_;
};
