#pragma once

#include "tasks/OpenResource.h"
#include "tasks/TaskPorts.h"

// The desktop of the program: the clipboard, the system beep, and opening files, folders
// and links with the user's programs. Programs start detached with an argument list; no
// shell ever sees a path.
class TQtDesktop : public IDesktop {
public:
    void OpenInBackground(const std::string& path) override { Opener_.OpenResource(path); }
    void ShellOpen(const std::string& path) override { Opener_.OpenFile(path); }
    void SetClipboardText(const std::string& text) override;
    std::string ClipboardText() override;
    void Beep(TBeepKind kind) override;
    void OpenWithDefaultHandler(const std::string& target) override;
    void StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;

private:
    // Last: openings under way end before the rest goes.
    TResourceOpener Opener_{*this};
};
