#pragma once

#include "app/ShellNotifier.h"

#include <QIcon>
#include <QObject>
#include <QTimer>
#include <QVector>

class QMenu;
class QSystemTrayIcon;

// The program's icon in the desktop's tray: its menu, the balloons, and the animation that
// runs while downloads are active. A double click on it or a click on a balloon asks for
// the window.
class TTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TTrayIcon(QObject* parent = nullptr);

    void SetMenu(QMenu* menu);
    void SetToolTip(const QString& text);
    void Show();
    void Hide();
    void ShowBalloon(const QString& title, const QString& text, TBalloonKind kind);

    // Cycles through the frames every 250 ms from frame 0.
    void StartAnimation();
    // Stops on frame 0.
    void StopAnimation();
    bool Animating() const { return Cycle_.isActive(); }

    // Frame 0 is the program's icon.
    static QIcon Frame(int index);
    static constexpr int kFrameCount = 4;

signals:
    void WindowRequested();

private:
    void NextFrame();

    QSystemTrayIcon* Icon_;
    QTimer Cycle_;
    int Frame_ = 0;
};
