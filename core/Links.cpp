#include "core/Links.h"

#include "core/TextCase.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view kDelimiters = "\\:/";

// Longest parts a link may have; longer ones make CrackLink fail rather than cut them.
constexpr std::size_t kMaxScheme = 32;
constexpr std::size_t kMaxHost = 256;
constexpr std::size_t kMaxUser = 128;
constexpr std::size_t kMaxPassword = 128;
constexpr std::size_t kMaxPath = 2048;
constexpr std::size_t kMaxExtra = 2048;

bool IsPathDelimiter(char c)
{
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Blanks and control characters separate words and are trimmed from them.
bool IsBlank(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

int HexValue(char c)
{
    if (IsAsciiDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes "%xx" escapes; anything else, incomplete escapes included, is copied as it is.
// "%00" stays encoded: a zero byte would cut the text wherever it is passed on.
std::string PercentDecode(std::string_view s)
{
    std::string result;
    result.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            const int high = HexValue(s[i + 1]);
            const int low = HexValue(s[i + 2]);
            if (high >= 0 && low >= 0 && (high | low) != 0) {
                result += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        result += s[i];
    }
    return result;
}

bool IsSchemeName(std::string_view s)
{
    if (s.empty() || s.size() > kMaxScheme || !IsAsciiLetter(s[0]))
        return false;
    for (char c : s)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}

bool IsHostText(std::string_view s)
{
    if (s.size() > kMaxHost)
        return false;
    for (char c : s)
        if (IsBlank(c) || c == '\\' || c == '[' || c == ']' || c == '?' || c == '#')
            return false;
    return true;
}

// A web link's query and fragment are the server's; an FTP link has none, so a "?" or "#"
// in it is part of a file name.
bool HasQueryPart(std::string_view link)
{
    return !IsFTPLink(link);
}

void AppendEscaped(std::string& out, char c)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

// Bytes that a URL never holds as they are.
bool IsUnsafeInUrl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte >= 0x7F || std::string_view("\"<>\\^`{|}[]").find(c) != std::string_view::npos;
}

// Percent-encodes the unsafe bytes of s and the characters of also; a "%" that starts an
// escape stays.
void AppendUrlEncoded(std::string& out, std::string_view s, std::string_view also = {})
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool escape = c == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0;
        if (escape || (c != '%' && !IsUnsafeInUrl(c) && also.find(c) == std::string_view::npos))
            out += c;
        else
            AppendEscaped(out, c);
    }
}

std::uint16_t DefaultPort(std::string_view scheme)
{
    if (SameText(scheme, "ftp"))
        return 21;
    if (SameText(scheme, "http"))
        return 80;
    if (SameText(scheme, "https"))
        return 443;
    return 0;
}

// A port of 1 to 65535 in decimal digits.
std::optional<std::uint16_t> ParsePort(std::string_view s)
{
    if (s.empty() || s.size() > 5)
        return std::nullopt;
    unsigned value = 0;
    for (char c : s) {
        if (!IsAsciiDigit(c))
            return std::nullopt;
        value = value * 10 + unsigned(c - '0');
    }
    if (value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// Matches one character c against the set that opens with "[" at mask[m]. Returns false
// when the set has no closing "]" (the "[" is then an ordinary character); otherwise sets
// hit and the position after the "]".
bool MatchSet(const std::u32string& mask, std::size_t m, char32_t c, bool& hit, std::size_t& next)
{
    std::size_t i = m + 1;
    const bool negate = i < mask.size() && mask[i] == U'!';
    if (negate)
        ++i;
    const std::size_t first = i;
    bool member = false;
    for (; i < mask.size(); ++i) {
        // A "]" right at the start of the set is one of its characters.
        if (mask[i] == U']' && i > first) {
            hit = member != negate;
            next = i + 1;
            return true;
        }
        if (i + 2 < mask.size() && mask[i + 1] == U'-' && mask[i + 2] != U']') {
            member = member || (mask[i] <= c && c <= mask[i + 2]);
            i += 2;
        } else {
            member = member || mask[i] == c;
        }
    }
    return false;
}

// Wildcard match of already case-folded text: "*" any run, "?" one character, "[set]".
bool MatchesMask(const std::u32string& name, const std::u32string& mask)
{
    constexpr std::size_t kNone = std::u32string::npos;
    std::size_t m = 0;
    std::size_t n = 0;
    std::size_t starMask = kNone;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size()) {
            if (mask[m] == U'*') {
                starMask = ++m;
                starName = n;
                continue;
            }
            bool hit = false;
            std::size_t next = m + 1;
            if (mask[m] == U'?')
                hit = true;
            else if (mask[m] != U'[' || !MatchSet(mask, m, name[n], hit, next))
                hit = mask[m] == name[n];
            if (hit) {
                m = next;
                ++n;
                continue;
            }
        }
        // Let the last "*" swallow one more character and try again.
        if (starMask == kNone)
            return false;
        m = starMask;
        n = ++starName;
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool IsDrivePath(std::string_view s)
{
    return s.size() > 2 && IsAsciiLetter(s[0]) && s[1] == ':' && s[2] == '\\';
}

bool IsLocalPath(std::string_view s)
{
    return (!s.empty() && s[0] == '/') || IsDrivePath(s);
}

bool IsUNCPath(std::string_view s)
{
    return StartsText("\\\\", s);
}

bool IsFTPLink(std::string_view s)
{
    return StartsText("ftp://", s);
}

bool IsHTTPLink(std::string_view s)
{
    return StartsText("http://", s) || StartsText("https://", s);
}

TLinkType GetLinkType(std::string_view s)
{
    if (IsHTTPLink(s))
        return ltHTTP;
    if (IsFTPLink(s))
        return ltFTP;
    if (IsLocalPath(s) || IsUNCPath(s))
        return ltFile;
    return ltNone;
}

bool MatchesExtensionList(std::string_view fileName, std::string_view list)
{
    const std::u32string name = FoldedCodePoints(fileName);
    std::size_t i = 0;
    while (i < list.size()) {
        if (IsBlank(list[i])) {
            ++i;
            continue;
        }
        // One word: up to the next blank outside double quotes, quotes removed.
        std::string word;
        bool quoted = false;
        for (; i < list.size() && (quoted || !IsBlank(list[i])); ++i) {
            if (list[i] == '"')
                quoted = !quoted;
            else
                word += list[i];
        }
        const std::string_view extension = TrimBlanks(word);
        if (extension.empty())
            continue;
        if (MatchesMask(name, FoldedCodePoints("*." + std::string(extension))))
            return true;
    }
    return false;
}

bool MatchesFileMask(std::string_view name, std::string_view mask)
{
    return MatchesMask(FoldedCodePoints(name), FoldedCodePoints(mask));
}

bool IsWellFormedMask(std::string_view mask)
{
    const std::u32string folded = FoldedCodePoints(mask);
    for (std::size_t m = 0; m < folded.size(); ++m) {
        bool hit = false;
        std::size_t next = m + 1;
        if (folded[m] == U'[') {
            if (!MatchSet(folded, m, U' ', hit, next))
                return false;
            m = next - 1;
        }
    }
    return true;
}

std::string ExtractName(std::string_view s)
{
    const std::size_t last = s.find_last_of(kDelimiters);
    return std::string(last == std::string_view::npos ? s : s.substr(last + 1));
}

std::string ExtractDir(std::string_view s)
{
    const std::size_t last = s.find_last_of(kDelimiters);
    if (last == std::string_view::npos)
        return {};
    std::size_t length = last + 1;
    // "C:\" and "\\" keep their delimiter; "C:\dir\" drops it.
    if (last > 0 && IsPathDelimiter(s[last]) && kDelimiters.find(s[last - 1]) == std::string_view::npos)
        --length;
    return std::string(s.substr(0, length));
}

std::string ExtractBaseName(std::string_view s)
{
    std::string name = ExtractName(s);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::string ExtractExtension(std::string_view s)
{
    const std::string name = ExtractName(s);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string ExtractHostName(std::string_view s)
{
    if (s.size() < 2 || s[1] == ':')
        return {};
    if (s.starts_with("\\\\")) {
        const std::size_t end = s.find('\\', 2);
        return std::string(end == std::string_view::npos ? s.substr(2) : s.substr(2, end - 2));
    }
    TLinkParts parts;
    return CrackLink(s, parts) ? parts.Host : std::string();
}

std::string ExtractHostAddress(std::string_view s)
{
    if (s.size() < 2 || s[1] == ':')
        return {};
    if (s.starts_with("\\\\")) {
        const std::size_t end = s.find('\\', 2);
        return std::string(end == std::string_view::npos ? s : s.substr(0, end + 1));
    }
    TLinkParts parts;
    if (!CrackLink(s, parts) || parts.Host.empty())
        return {};
    // An IPv6 host gets its brackets back, so that the address still reads as a link.
    if (parts.Host.find(':') != std::string::npos)
        return parts.Scheme + "://[" + parts.Host + "]";
    return parts.Scheme + "://" + parts.Host;
}

bool CrackLink(std::string_view link, TLinkParts& parts)
{
    const std::size_t schemeEnd = link.find("://");
    if (schemeEnd == std::string_view::npos || !IsSchemeName(link.substr(0, schemeEnd)))
        return false;
    // Work on a copy so that a failure leaves the caller's parts untouched.
    TLinkParts result = parts;
    result.Scheme = std::string(link.substr(0, schemeEnd));

    std::string_view rest = link.substr(schemeEnd + 3);
    const std::size_t extraStart = HasQueryPart(link) ? rest.find_first_of("?#") : std::string_view::npos;
    if (extraStart != std::string_view::npos) {
        if (rest.size() - extraStart > kMaxExtra)
            return false;
        rest = rest.substr(0, extraStart);
    }
    const std::size_t pathStart = rest.find('/');
    std::string_view authority = rest.substr(0, pathStart);
    const std::string_view rawPath = pathStart == std::string_view::npos ? std::string_view() : rest.substr(pathStart);

    // The last "@" ends the user part: an unencoded "@" in a password still works.
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        const std::string_view userInfo = authority.substr(0, at);
        authority = authority.substr(at + 1);
        if (!userInfo.empty()) {
            const std::size_t colon = userInfo.find(':');
            result.User = PercentDecode(userInfo.substr(0, colon));
            result.Password = colon == std::string_view::npos ? std::string() : PercentDecode(userInfo.substr(colon + 1));
            if (result.User.size() > kMaxUser || result.Password.size() > kMaxPassword)
                return false;
        }
    }

    // The host is returned without the brackets of an IPv6 address.
    std::string_view host;
    std::string_view port;
    if (!authority.empty() && authority[0] == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return false;
        host = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (host.find(':') == std::string_view::npos || (!after.empty() && after[0] != ':'))
            return false;
        port = after.empty() ? after : after.substr(1);
    } else {
        const std::size_t colon = authority.find(':');
        host = authority.substr(0, colon);
        port = colon == std::string_view::npos ? std::string_view() : authority.substr(colon + 1);
    }
    if (!IsHostText(host))
        return false;
    result.Host = std::string(host);
    if (port.empty()) {
        result.Port = DefaultPort(result.Scheme);
    } else {
        const std::optional<std::uint16_t> number = ParsePort(port);
        if (!number)
            return false;
        result.Port = *number;
    }

    result.Path = rawPath.empty() ? std::string("/") : PercentDecode(rawPath);
    if (result.Path.size() > kMaxPath)
        return false;
    parts = std::move(result);
    return true;
}

std::string DelimiterFor(std::string_view s)
{
    return s.find('/') != std::string_view::npos ? "/" : "\\";
}

// Both delimiters are ASCII, and in UTF-8 an ASCII byte is never part of a longer
// character, so a delimiter byte always is a delimiter.
bool IsDelimiterAt(std::string_view s, std::size_t i)
{
    return i >= 1 && i <= s.size() && IsPathDelimiter(s[i - 1]);
}

std::string IncludeTrailingDelimiter(std::string_view s)
{
    if (IsDelimiterAt(s, s.size()))
        return std::string(s);
    return std::string(s) + DelimiterFor(s);
}

std::string ExcludeTrailingDelimiter(std::string_view s)
{
    if (IsDelimiterAt(s, s.size()))
        s.remove_suffix(1);
    return std::string(s);
}

std::string DecodeLink(std::string_view s)
{
    if (!IsFTPLink(s) && !IsHTTPLink(s))
        return std::string(s);
    // The query and the fragment keep their escapes: they belong to the server.
    const std::size_t extra = HasQueryPart(s) ? s.find_first_of("?#") : std::string_view::npos;
    if (extra == std::string_view::npos)
        return PercentDecode(s);
    return PercentDecode(s.substr(0, extra)) + std::string(s.substr(extra));
}

std::string ExtractFileName(std::string_view s)
{
    if (!IsFTPLink(s) && !IsHTTPLink(s))
        return ExtractName(ExcludeTrailingDelimiter(s));
    std::string_view rest = s.substr(s.find("://") + 3);
    if (HasQueryPart(s))
        rest = rest.substr(0, rest.find_first_of("?#"));
    const std::size_t pathStart = rest.find('/');
    std::string_view path = pathStart == std::string_view::npos ? std::string_view() : rest.substr(pathStart);
    if (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    // Taken before decoding: an encoded "/" belongs to the name, and must not lead the
    // copy into another folder.
    std::string name = PercentDecode(path.substr(path.rfind('/') + 1));
    for (char& c : name)
        if (IsPathDelimiter(c))
            c = '_';
    // "http://host/" names no file: its copy is named after the host.
    return name.empty() ? ExtractHostName(s) : name;
}

std::string AppendFileName(std::string_view folder, std::string_view name)
{
    std::string result = IncludeTrailingDelimiter(folder);
    if (!IsFTPLink(folder) && !IsHTTPLink(folder))
        return result + std::string(name);
    // What the link's path decodes, or what would end the name or its path early.
    for (char c : name) {
        if (std::string_view("%#?:\\").find(c) != std::string_view::npos)
            AppendEscaped(result, c);
        else
            result += c;
    }
    return result;
}

std::string RequestLink(std::string_view link)
{
    const std::size_t schemeEnd = link.find("://");
    if (schemeEnd == std::string_view::npos)
        return std::string(link);
    std::string result(link.substr(0, schemeEnd + 3));
    const std::string_view rest = link.substr(schemeEnd + 3);
    // "user:password@host:port"
    const std::size_t authorityEnd = std::min(rest.find_first_of(HasQueryPart(link) ? "/?#" : "/"), rest.size());
    const std::string_view authority = rest.substr(0, authorityEnd);
    // The host stays as it is; only the last "@" may end the user part.
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        AppendUrlEncoded(result, authority.substr(0, at), "@");
        result += authority.substr(at);
    } else {
        result += authority;
    }
    AppendUrlEncoded(result, rest.substr(authorityEnd));
    return result;
}

namespace {

// A login is written before an '@'.
bool MayHoldLogin(std::string_view text)
{
    return text.find('@') != std::string_view::npos;
}

}  // namespace

void MaskLinkPasswordsInPlace(std::string& text)
{
    if (MayHoldLogin(text))
        text = MaskLinkPasswords(std::string_view(text));
}

std::string MaskLinkPasswords(std::string_view text)
{
    constexpr std::string_view kMask = "***";
    if (!MayHoldLogin(text))
        return std::string(text);
    std::string result;
    std::size_t done = 0;
    for (std::size_t mark = text.find("://"); mark != std::string_view::npos; mark = text.find("://", done)) {
        const std::size_t start = mark + 3;
        std::size_t end = start;
        // The authority ends at its path or, in running text, at a blank.
        while (end < text.size() && text[end] != '/' && !IsBlank(text[end]))
            ++end;
        const std::string_view authority = text.substr(start, end - start);
        const std::size_t at = authority.rfind('@');
        const std::size_t colon = authority.substr(0, at == std::string_view::npos ? 0 : at).find(':');
        if (colon != std::string_view::npos && colon + 1 < at) {
            result += text.substr(done, start + colon + 1 - done);
            result += kMask;
            done = start + at;
        }
        result += text.substr(done, end - done);
        done = end;
    }
    result += text.substr(done);
    return result;
}

std::string FileUriPath(std::string_view uri)
{
    constexpr std::string_view scheme = "file://";
    if (!StartsText(scheme, uri))
        return {};
    const std::string_view rest = uri.substr(scheme.size());
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos)
        return {};
    const std::string_view host = rest.substr(0, slash);
    // A query or fragment is no part of a file's name.
    const std::string path = PercentDecode(rest.substr(slash, rest.find_first_of("?#") - slash));
    if (host.empty() || SameText(host, "localhost"))
        return path;
    std::string share = "\\\\" + PercentDecode(host) + path;
    std::replace(share.begin(), share.end(), '/', '\\');
    return share;
}
