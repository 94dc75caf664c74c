#include "app/qt/SplashScreen.h"

#include "core/MessageCatalogue.h"
#include "core/VersionText.h"
#include "tasks/TaskPorts.h"
#include "ui_SplashScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QString LinkText(const std::string& address)
{
    const QString text = QString::fromStdString(address).toHtmlEscaped();
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(text, QString(text).remove("mailto:"));
}

}  // namespace

TSplashScreen::TSplashScreen(IDesktop& desktop)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Ui_(std::make_unique<Ui::SplashScreen>()), Desktop_(desktop)
{
    Ui_->setupUi(this);
    Ui_->lblName->setText(QString::fromStdString(VersionText()));
    for (QLabel* link : {Ui_->lblHomeLink, Ui_->lblMailLink, Ui_->lblForumLink})
        connect(link, &QLabel::linkActivated, this,
                [this](const QString& target) { Desktop_.OpenWithDefaultHandler(target.toStdString()); });
    FillLinks();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TSplashScreen::~TSplashScreen() = default;

void TSplashScreen::FillLinks()
{
    Ui_->lblHomeLink->setText(LinkText(Translate("sHomeAddress")));
    Ui_->lblMailLink->setText(LinkText(Translate("sMailAddress")));
    Ui_->lblForumLink->setText(LinkText(Translate("sForumAddress")));
}
