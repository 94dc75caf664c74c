#include "MenuRegistration.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Every file we write carries this line; only files with it are ever replaced or removed.
const std::string OwnMark = "# Written by quorvex-menu --register; quorvex-menu --unregister removes it.";

const TMenuCaptions EnglishCaptions{"Copy by Quorvex", "Copy by Quorvex here"};
const TMenuCaptions RussianCaptions{"Копировать с Quorvex", "Копировать с Quorvex сюда"};

// 'text' for sh, and for the argument splitting of Nemo, which follows sh's quotes.
std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// "text" for the Exec key of a desktop entry: in double quotes, with the quote, backquote,
// dollar and backslash escaped by a backslash; then the escapes of a string value (the
// backslash doubled) and of the field codes (%%).
std::string DesktopExecQuoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$')
            quoted += "\\\\";
        if (c == '\\')
            quoted += "\\\\\\";
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string DolphinMenu(const std::string& caption, const std::string& mimeTypes, const std::string& exec)
{
    return "[Desktop Entry]\n" + OwnMark + "\nType=Service\nX-KDE-ServiceTypes=KonqPopupMenu/Plugin\nMimeType="
           + mimeTypes + "\nActions=quorvexCopy;\nX-KDE-Priority=TopLevel\n\n[Desktop Action quorvexCopy]\nName="
           + caption + "\nIcon=quorvex\nExec=" + exec + "\n";
}

std::string NemoAction(const std::string& caption, const std::string& selection, const std::string& extensions,
                       const std::string& exec)
{
    return "[Nemo Action]\n" + OwnMark + "\nName=" + caption + "\nComment=" + caption + "\nExec=" + exec
           + "\nIcon-Name=quorvex\nSelection=" + selection + "\nExtensions=" + extensions + "\n";
}

// Nautilus and Caja hand a script the selection as newline-separated URIs in
// <PREFIX>_SCRIPT_SELECTED_URIS and the folder shown in <PREFIX>_SCRIPT_CURRENT_URI. URIs hold
// no blanks or newlines, so splitting at newlines only (and no globbing) keeps each one whole.
// clang-format off
std::string CopyScript(const std::string& prefix, const std::string& program)
{
    return "#!/bin/sh\n" + OwnMark + "\n"
           "# Hands the selected files, or the folder shown, to Quorvex.\n"
           "set -f\n"
           "IFS='\n'\n"
           "exec " + ShellQuoted(program) + " -- ${" + prefix + "_SCRIPT_SELECTED_URIS:-$" + prefix + "_SCRIPT_CURRENT_URI}\n";
}

std::string CopyHereScript(const std::string& prefix, const std::string& program)
{
    return "#!/bin/sh\n" + OwnMark + "\n"
           "# Copies the files on the clipboard into the selected folder, or into the folder shown.\n"
           "set -f\n"
           "IFS='\n'\n"
           "set -- $" + prefix + "_SCRIPT_SELECTED_URIS\n"
           "folder=$" + prefix + "_SCRIPT_CURRENT_URI\n"
           "[ $# -eq 1 ] && folder=$1\n"
           "exec " + ShellQuoted(program) + " --paste-here \"$folder\"\n";
}
// clang-format on

fs::path BaseFolder(const std::string& xdg, const std::string& home, const char* fallback)
{
    // A relative XDG folder does not count: the home fallback stands.
    if (!xdg.empty() && xdg[0] == '/')
        return xdg;
    if (home.empty())
        throw std::runtime_error("neither $HOME nor the XDG folders are set");
    return fs::path(home) / fallback;
}

// One entry with the file names it may have had in either language.
struct TMenuSlot {
    TMenuFile File;
    std::vector<fs::path> Names;
};

std::vector<TMenuSlot> MenuSlots(const TMenuEnvironment& environment)
{
    const fs::path data = BaseFolder(environment.DataHome, environment.Home, ".local/share");
    const fs::path config = BaseFolder(environment.ConfigHome, environment.Home, ".config");
    const fs::path dolphin = data / "kio/servicemenus", nautilus = data / "nautilus/scripts";
    const fs::path nemo = data / "nemo/actions", caja = config / "caja/scripts";
    const TMenuCaptions captions = MenuCaptions(environment.Locale);
    const std::string& program = environment.Program;

    std::vector<TMenuSlot> slots;
    const auto fixed = [&](const fs::path& path, const std::string& content, bool executable) {
        slots.push_back({{path, content, executable}, {path}});
    };
    // Scripts are named by their captions, so the name changes with the language.
    const auto script = [&](const fs::path& folder, std::string TMenuCaptions::*caption, const std::string& content) {
        slots.push_back({{folder / (captions.*caption), content, true},
                         {folder / (EnglishCaptions.*caption), folder / (RussianCaptions.*caption)}});
    };
    fixed(dolphin / "quorvex-copy.desktop", DolphinMenu(captions.Copy, "all/all;", DesktopExecQuoted(program) + " %U"),
          true);
    fixed(dolphin / "quorvex-copy-here.desktop",
          DolphinMenu(captions.CopyHere, "inode/directory;", DesktopExecQuoted(program) + " --paste-here %u"), true);
    script(nautilus, &TMenuCaptions::Copy, CopyScript("NAUTILUS", program));
    script(nautilus, &TMenuCaptions::CopyHere, CopyHereScript("NAUTILUS", program));
    fixed(nemo / "quorvex-copy.nemo_action", NemoAction(captions.Copy, "notnone", "any;", ShellQuoted(program) + " %U"),
          false);
    fixed(nemo / "quorvex-copy-here.nemo_action",
          NemoAction(captions.CopyHere, "s", "dir;", ShellQuoted(program) + " --paste-here %U"), false);
    script(caja, &TMenuCaptions::Copy, CopyScript("CAJA", program));
    script(caja, &TMenuCaptions::CopyHere, CopyHereScript("CAJA", program));
    return slots;
}

// Whether the file at `path` is one of ours; false when there is none.
bool IsOurs(const fs::path& path)
{
    std::ifstream in(path);
    std::string line;
    for (int i = 0; i < 3 && std::getline(in, line); ++i)
        if (line == OwnMark)
            return true;
    return false;
}

void WriteMenuFile(const TMenuFile& file)
{
    fs::create_directories(file.Path.parent_path());
    {
        std::ofstream out(file.Path, std::ios::binary | std::ios::trunc);
        out << file.Content;
        out.close();
        if (!out)
            throw fs::filesystem_error("cannot write", file.Path, std::make_error_code(std::errc::io_error));
    }
    fs::permissions(file.Path, file.Executable ? fs::perms(0755) : fs::perms(0644));
}

}  // namespace

std::string MenuLocale(const std::string& lcAll, const std::string& lcMessages, const std::string& lang)
{
    return !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
}

TMenuCaptions MenuCaptions(const std::string& locale)
{
    return locale.compare(0, 2, "ru") == 0 ? RussianCaptions : EnglishCaptions;
}

std::vector<TMenuFile> MenuFiles(const TMenuEnvironment& environment)
{
    std::vector<TMenuFile> files;
    for (TMenuSlot& slot : MenuSlots(environment))
        files.push_back(std::move(slot.File));
    return files;
}

std::vector<std::string> UnregisterMenus(const TMenuEnvironment& environment)
{
    std::vector<std::string> errors;
    for (const TMenuSlot& slot : MenuSlots(environment))
        for (const fs::path& name : slot.Names) {
            std::error_code error;
            if (IsOurs(name) && !fs::remove(name, error) && error)
                errors.push_back(name.string() + ": " + error.message());
        }
    return errors;
}

std::vector<std::string> RegisterMenus(const TMenuEnvironment& environment)
{
    std::vector<std::string> errors = UnregisterMenus(environment);
    for (const TMenuSlot& slot : MenuSlots(environment)) {
        if (fs::exists(fs::symlink_status(slot.File.Path))) {
            errors.push_back(slot.File.Path.string() + ": another program's file is in the way");
            continue;
        }
        try {
            WriteMenuFile(slot.File);
        } catch (const fs::filesystem_error& error) {
            errors.push_back(slot.File.Path.string() + ": " + error.code().message());
        }
    }
    return errors;
}

bool MenusRegistered(const TMenuEnvironment& environment)
{
    for (const TMenuSlot& slot : MenuSlots(environment)) {
        bool found = false;
        for (const fs::path& name : slot.Names)
            found = found || IsOurs(name);
        if (!found)
            return false;
    }
    return true;
}
