// Links and paths come from the user, the clipboard, task lists and other programs.
#include "FuzzData.h"
#include "config/LinkMonitoring.h"
#include "core/Links.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The extension-list matcher takes a name and a list: the input up to its first line
    // break is the name, the rest the list.
    const std::size_t split = input.find('\n');
    const std::string_view name = input.substr(0, split);
    const std::string_view list = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    GetLinkType(input);
    IsLinkMonitored(input);
    MatchesExtensionList(name, list);
    ExtractName(input);
    ExtractDir(input);
    ExtractBaseName(input);
    ExtractExtension(input);
    ExtractHostName(input);
    ExtractHostAddress(input);
    DelimiterFor(input);
    IncludeTrailingDelimiter(input);
    ExcludeTrailingDelimiter(input);
    for (std::size_t i = 0; i <= input.size() + 1; ++i)
        IsDelimiterAt(input, i);
    DecodeLink(input);
    ExtractFileName(input);
    RequestLink(input);
    AppendFileName(name, list);
    Require(MaskLinkPasswords(input).find(":***@") != std::string::npos || MaskLinkPasswords(input) == input,
            "MaskLinkPasswords changed a text without a password");

    const TLinkParts before{"s", "h", 1, "/p", "pw", "u"};
    TLinkParts parts = before;
    if (!CrackLink(input, parts)) {
        Require(parts.Scheme == before.Scheme && parts.Host == before.Host && parts.Port == before.Port
                    && parts.Path == before.Path && parts.Password == before.Password && parts.User == before.User,
                "CrackLink failed and changed a part");
    }
    return 0;
}
