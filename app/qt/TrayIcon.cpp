#include "app/qt/TrayIcon.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace {

constexpr int kCycleInterval = 250;  // milliseconds

}  // namespace

TTrayIcon::TTrayIcon(QObject* parent) : QObject(parent), Icon_(new QSystemTrayIcon(Frame(0), this))
{
    Cycle_.setInterval(kCycleInterval);
    connect(&Cycle_, &QTimer::timeout, this, &TTrayIcon::NextFrame);
    connect(Icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // A single click too: many trays never report double clicks.
        if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
            emit WindowRequested();
    });
    connect(Icon_, &QSystemTrayIcon::messageClicked, this, &TTrayIcon::WindowRequested);
}

QIcon TTrayIcon::Frame(int index)
{
    static QVector<QIcon> frames;
    if (frames.isEmpty()) {
        const QIcon base(":/quorvex.svg");
        for (int k = 0; k < kFrameCount; ++k) {
            QPixmap pixmap = base.pixmap(64, 64);
            if (k > 0) {
                // A bar filling up at the foot of the icon.
                QPainter painter(&pixmap);
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(92, 129, 214));
                painter.drawRoundedRect(QRectF(17, 52, 30.0 * k / (kFrameCount - 1), 4), 2, 2);
            }
            frames.append(QIcon(pixmap));
        }
    }
    return frames.at(index % kFrameCount);
}

void TTrayIcon::SetMenu(QMenu* menu)
{
    Icon_->setContextMenu(menu);
}

void TTrayIcon::SetToolTip(const QString& text)
{
    Icon_->setToolTip(text);
}

void TTrayIcon::Show()
{
    Icon_->show();
}

void TTrayIcon::Hide()
{
    Icon_->hide();
}

void TTrayIcon::ShowBalloon(const QString& title, const QString& text, TBalloonKind kind)
{
    Icon_->showMessage(title, text,
                       kind == TBalloonKind::Error ? QSystemTrayIcon::Critical : QSystemTrayIcon::Information,
                       kBalloonTimeoutMs);
}

void TTrayIcon::StartAnimation()
{
    Frame_ = 0;
    Icon_->setIcon(Frame(0));
    Cycle_.start();
}

void TTrayIcon::StopAnimation()
{
    Cycle_.stop();
    Frame_ = 0;
    Icon_->setIcon(Frame(0));
}

void TTrayIcon::NextFrame()
{
    Frame_ = (Frame_ + 1) % kFrameCount;
    Icon_->setIcon(Frame(Frame_));
}
