#pragma once

class QWidget;

// For scripts/screenshot.sh: when QUORVEX_SCREENSHOT names a PNG file, the window is
// grabbed from the screen into it a moment after it shows, and the program ends.
void ScreenshotOnStart(QWidget& window);
