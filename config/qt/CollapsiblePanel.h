#pragma once

#include <QObject>

class QSplitter;
class QTabWidget;
class QWidget;

// The tabbed panel under a page's list, in a splitter with it; neither is ever smaller than
// the splitter allows (over 100 pixels). The button beside the panel's tabs collapses it to
// its tabs and opens it again; a click on a tab opens it.
class TCollapsiblePanel : public QObject {
public:
    TCollapsiblePanel(QSplitter& splitter, QWidget& list, QTabWidget& panel, const char* buttonName);

    bool Collapsed() const { return Collapsed_; }
    void SetCollapsed(bool collapsed);
    // The open panel's height and the state, from the options and back.
    void Apply(int openHeight, bool collapsed);
    void Read(int& openHeight, bool& collapsed);

private:
    QSplitter& Splitter_;
    QTabWidget& Panel_;
    bool Collapsed_ = false;
    int OpenHeight_ = 100;
};
