#pragma once

#include <QString>

// The program's own copies to the clipboard. Clipboard monitoring skips them: not every
// platform tells whose copy is on the clipboard (ownsClipboard), so the text of the
// program's last copy is remembered as well.
void SetOwnClipboardText(const QString& text);
// Whether the clipboard holds what the program copied last.
bool HoldsOwnClipboardCopy();
