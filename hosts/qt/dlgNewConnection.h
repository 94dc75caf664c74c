#pragma once

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class dlgNewConnection;
}

// Asks the name and the bandwidth (bits per second, digits only) of a new connection type;
// the connection types' editor judges the answer.
class TdlgNewConnection : public QDialog {
    Q_OBJECT

public:
    TdlgNewConnection(const std::string& name, const std::string& bandwidth, QWidget* parent = nullptr);
    ~TdlgNewConnection() override;

    std::string Name() const;
    std::string Bandwidth() const;

private:
    std::unique_ptr<Ui::dlgNewConnection> Ui_;
};
