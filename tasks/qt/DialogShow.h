#pragma once

#include <QStyle>

class QDialog;
class QLabel;
class QWidget;

// Runs a dialog modally, centred on the window of owner (or on its screen without one)
// and in front; returns its result.
int ExecCentred(QDialog& dialog, QWidget* owner);

// Puts one of the style's standard icons (the message-box icons) into a label.
void ShowStandardIcon(QLabel& label, QStyle::StandardPixmap icon);
