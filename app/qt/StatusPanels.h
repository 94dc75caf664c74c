#pragma once

#include "app/StatusBarFigures.h"

#include <QWidget>

class QLabel;
class TQuorvexForm;

// The drawn panels of the status bar (the totals of the page in front) and the panel of
// hints after them. The figures are gathered again at each paint, so a repaint per tick
// keeps them live.
class TStatusPanels : public QWidget {
public:
    explicit TStatusPanels(TQuorvexForm& form);

    // The hint panel's text.
    void SetHint(const QString& hint);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect PanelRect(int panel) const;
    void Gather();

    TQuorvexForm& Form_;
    TStatusBarFigures Figures_;
    QString Hint_;
};
