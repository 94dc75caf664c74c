#include "tasks/OpenResource.h"

#include "config/Options.h"
#include "core/Links.h"
#include "platform/smb/SmbFileAccess.h"

#include <system_error>

namespace {

const char kPathWord[] = "%PATH%";

bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Every "%PATH%" of word replaced by resource; what the resource holds is never looked at.
std::string SubstitutePath(const std::string& word, const std::string& resource)
{
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = word.find(kPathWord, from)) != std::string::npos; from = at + sizeof kPathWord - 1)
        out.append(word, from, at - from).append(resource);
    return out.append(word, from);
}

const TOtherProgram& ProgramFor(TLinkType kind, const TOpenSettings& settings)
{
    switch (kind) {
    case ltFTP: return settings.FTP;
    case ltHTTP: return settings.HTTP;
    default: return settings.LAN;
    }
}

} // namespace

TOpenSettings TOpenSettings::FromOptions()
{
    const TOptions& o = Options();
    return TOpenSettings{
        {o.bOtherProgramLAN, o.sOtherProgramLAN, o.sOtherProgramLANKey},
        {o.bOtherProgramFTP, o.sOtherProgramFTP, o.sOtherProgramFTPKey},
        {o.bOtherProgramHTTP, o.sOtherProgramHTTP, o.sOtherProgramHTTPKey},
    };
}

std::vector<std::string> ExpandArguments(const std::string& key, const std::string& resource)
{
    // The template is split first and the resource put into the words afterwards, so that
    // no blank or quote of the resource can split or join arguments.
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < key.size()) {
        if (IsBlankChar(key[i])) {
            ++i;
            continue;
        }
        std::string word;
        bool quoted = false;
        for (; i < key.size() && (quoted || !IsBlankChar(key[i])); ++i) {
            if (key[i] == '"')
                quoted = !quoted;
            else
                word += key[i];
        }
        arguments.push_back(SubstitutePath(word, resource));
    }
    return arguments;
}

void OpenResourceNow(IDesktop& desktop, const std::string& resource, const TOpenSettings& settings)
{
    const TLinkType kind = GetLinkType(resource);
    if (kind == ltNone)
        return;
    // The desktop and other programs know shares by their smb:// links.
    const std::string target = IsUNCPath(resource) ? platform::UncToSmbUrl(resource) : resource;
    const TOtherProgram& other = ProgramFor(kind, settings);
    // Ticked without a program named, the choice falls back to the desktop's.
    if (other.Use && !other.Program.empty())
        desktop.StartProgram(other.Program, ExpandArguments(other.Key, target));
    else
        desktop.OpenWithDefaultHandler(target);
}

TResourceOpener::~TResourceOpener()
{
    Join(true);
}

void TResourceOpener::OpenResource(const std::string& resource)
{
    Join(false);
    auto opening = std::make_unique<TOpening>();
    TOpening* self = opening.get();
    try {
        opening->Thread = std::thread([this, self, resource, settings = TOpenSettings::FromOptions()] {
            // Nothing is reported: what cannot be opened simply shows nothing.
            try {
                OpenResourceNow(Desktop_, resource, settings);
            } catch (...) {
            }
            self->Done = true;
        });
    } catch (const std::system_error&) {
        return;  // no thread to be had: nothing opens, as for any other failure
    }
    Openings_.push_back(std::move(opening));
}

void TResourceOpener::OpenFile(const std::string& path)
{
    Desktop_.OpenWithDefaultHandler(IsUNCPath(path) ? platform::UncToSmbUrl(path) : path);
}

void TResourceOpener::Wait()
{
    Join(true);
}

void TResourceOpener::Join(bool all)
{
    std::erase_if(Openings_, [all](const std::unique_ptr<TOpening>& opening) {
        if (!all && !opening->Done)
            return false;
        opening->Thread.join();
        return true;
    });
}
