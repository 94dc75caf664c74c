#include "MenuPaths.h"

#include <cctype>
#include <filesystem>
#include <sstream>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string PercentDecoded(const std::string& text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]))
            && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// \\host\path from a host and a /path of a URI.
std::string SharePath(const std::string& host, const std::string& path)
{
    std::string share = "\\\\" + host + PercentDecoded(path);
    for (char& c : share)
        if (c == '/')
            c = '\\';
    return share;
}

// The host and the /path of scheme://[user@]host/path.
void SplitAuthority(const std::string& rest, std::string& host, std::string& path)
{
    const std::size_t slash = rest.find('/');
    host = rest.substr(0, slash);
    path = slash == std::string::npos ? std::string() : rest.substr(slash);
    if (const std::size_t at = host.rfind('@'); at != std::string::npos)
        host.erase(0, at + 1);
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string MenuPathFromArgument(const std::string& argument, const std::string& workingFolder)
{
    const std::string lowered = Lowered(argument.substr(0, 8));
    std::string host, path;
    if (StartsWith(lowered, "file://")) {
        SplitAuthority(argument.substr(7), host, path);
        if (host.empty() || Lowered(host) == "localhost")
            return PercentDecoded(path);
        return SharePath(host, path);
    }
    if (StartsWith(lowered, "smb://")) {
        SplitAuthority(argument.substr(6), host, path);
        return SharePath(host, path);
    }
    if (argument.find("://") != std::string::npos || StartsWith(argument, "\\\\"))
        return argument;
    const std::filesystem::path given(argument);
    if (given.is_absolute())
        return given.lexically_normal().string();
    std::string absolute = (std::filesystem::path(workingFolder) / given).lexically_normal().string();
    // "dir/." names the folder itself, without the trailing slash that lexically_normal leaves.
    if (absolute.size() > 1 && absolute.back() == '/')
        absolute.pop_back();
    return absolute;
}

std::vector<std::string> TakeUnsendablePaths(std::vector<std::string>& paths)
{
    std::vector<std::string> unsendable;
    std::erase_if(paths, [&](const std::string& path) {
        const bool breaks = path.find_first_of("\r\n") != std::string::npos;
        if (breaks)
            unsendable.push_back(path);
        return breaks;
    });
    return unsendable;
}

std::string MenuFilesText(const std::vector<std::string>& paths)
{
    std::string text;
    for (const std::string& path : paths)
        text += path + "\r\n";
    return text;
}

std::vector<std::string> MenuClipboardUris(const std::string& gnomeCopied, const std::string& uriList)
{
    std::vector<std::string> uris;
    const bool gnome = !gnomeCopied.empty();
    std::istringstream lines(gnome ? gnomeCopied : uriList);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // The first line of the GNOME form is the operation, "copy" or "cut".
        const bool operation = gnome && first;
        first = false;
        if (operation || line.empty() || line[0] == '#')
            continue;
        uris.push_back(line);
    }
    return uris;
}

std::string MenuTargetFolder(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!path.empty() && path[0] == '/' && std::filesystem::exists(status) && !std::filesystem::is_directory(status))
        return std::filesystem::path(path).parent_path().string();
    return path;
}
