#pragma once

#include "app/StatusBarFigures.h"

#include <QIcon>

// The images of the main window, drawn by the program or taken from the icon theme.

// The image of a status panel: one of the status bar's own, or a task state's.
QIcon StatusPanelIcon(TPanelImages images, int index);
// The image of a node of the page tree by its image index: the pages' own, then the task states'.
QIcon PageTreeIcon(int image);
// The image of the active-downloads command: the item its popup marks for the limit, 1 to 5
// as a digit and "…" for the item that asks.
QIcon NumActiveTaskIcon(int limit);
