#pragma once

#include "tasks/TaskPorts.h"

#include <optional>
#include <string>
#include <vector>

// The rules of the program's message box, without the widgets: which buttons stand in
// which order, which of them Enter and Esc press, the caption of each kind, and the text
// that Ctrl+C copies.

struct TMessageDlgButton {
    TMessageButtons Button;
    TModalResult Result;
    std::string Caption;  // from the message catalogue, "&" marking the access key
};

// The buttons of a set in the order they stand: Yes, No, OK, Cancel, Abort, No to all. A
// set without any of them shows OK, so that every box can be closed.
std::vector<TMessageDlgButton> MessageDlgButtons(unsigned buttons);
// The button Enter presses: OK when the set has it, else Yes; none otherwise.
std::optional<TModalResult> MessageDlgDefault(unsigned buttons);
// What Esc and closing the window answer: Cancel when the set has it, else No, else OK;
// none otherwise, and then only a button closes the box.
std::optional<TModalResult> MessageDlgEscape(unsigned buttons);

// The caption of a kind of box: 0 warning, 1 error, 2 information, 3 confirmation (the
// ordinals of TMessageKind). Any other kind has none.
std::string MessageDlgCaption(int kind);
inline std::string MessageDlgCaption(TMessageKind kind) { return MessageDlgCaption(int(kind)); }

// The box as text for the clipboard: the caption, the text and the button captions (each
// followed by three blanks, without "&") between lines of hyphens, every line ended by
// CR LF.
std::string MessageDlgCopyText(const std::string& caption, const std::string& text,
                               const std::vector<std::string>& buttonCaptions);
