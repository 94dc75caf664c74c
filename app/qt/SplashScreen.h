#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class SplashScreen;
}
class IDesktop;

// The window shown while the program starts: its name and version and three links, which
// open with the user's programs.
class TSplashScreen : public QWidget {
public:
    explicit TSplashScreen(IDesktop& desktop);
    ~TSplashScreen() override;

    // Fills the links from the messages of the language in use.
    void FillLinks();

private:
    std::unique_ptr<Ui::SplashScreen> Ui_;
    IDesktop& Desktop_;
};
