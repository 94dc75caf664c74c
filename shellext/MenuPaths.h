#pragma once

#include <string>
#include <vector>

// How the paths that a file manager hands over become the lines the program receives.

// A command-line argument as the program takes it: a relative path made absolute against
// `workingFolder`; a file:// URI decoded to its local path (or to a share path when it names
// another host); an smb:// URI turned into a share path (\\server\share\dir); any other link
// (ftp://, http://) left as it is.
std::string MenuPathFromArgument(const std::string& argument, const std::string& workingFolder);

// Takes out of `paths` those that hold a line break and returns them: one text of lines cannot
// carry them, and a name split in two would name other files.
std::vector<std::string> TakeUnsendablePaths(std::vector<std::string>& paths);

// One text of lines, each path followed by CR LF, as AddFiles and AddFilesSilent take it.
std::string MenuFilesText(const std::vector<std::string>& paths);

// The URIs of the files a file manager copied to the clipboard. `gnomeCopied` is the
// x-special/gnome-copied-files data ("copy" or "cut", then one URI a line), preferred when
// present; `uriList` is text/uri-list (CR LF lines, "#" lines are comments).
std::vector<std::string> MenuClipboardUris(const std::string& gnomeCopied, const std::string& uriList);

// The folder that "here" copies into: `path` itself, or the folder holding it when it names
// a local file rather than a folder (a script run on a selected file).
std::string MenuTargetFolder(const std::string& path);
