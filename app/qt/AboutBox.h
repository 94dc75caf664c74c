#pragma once

class QWidget;
class IDesktop;
class TLangChanger;

// The about box: the version and the program's addresses, which open with the user's programs.
void ShowAboutBox(QWidget* owner, IDesktop& desktop, const TLangChanger& language);
