#include "core/MessageFormat.h"

#include "core/DisplayFormats.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

struct Directive {
    std::optional<size_t> Index{};
    bool LeftAlign = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;
};

// Parses one directive after its "%"; returns the position after it, or npos.
size_t ParseDirective(std::string_view f, size_t i, Directive& d)
{
    auto readNumber = [&](int& out) {
        if (i >= f.size() || !std::isdigit(static_cast<unsigned char>(f[i])))
            return false;
        long value = 0;
        while (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i])) && value < 100000)
            value = value * 10 + (f[i++] - '0');
        out = int(value);
        return true;
    };
    const size_t start = i;
    int number = 0;
    if (readNumber(number) && i < f.size() && f[i] == ':') {
        d.Index = size_t(number);
        ++i;
    } else {
        i = start;
    }
    if (i < f.size() && f[i] == '-') {
        d.LeftAlign = true;
        ++i;
    }
    readNumber(d.Width);
    if (i < f.size() && f[i] == '.') {
        ++i;
        if (!readNumber(d.Precision))
            d.Precision = 0;
    }
    if (i >= f.size())
        return std::string_view::npos;
    const char type = char(std::tolower(static_cast<unsigned char>(f[i])));
    if (std::string_view("duxefgnms").find(type) == std::string_view::npos)
        return std::string_view::npos;
    d.Type = type;
    return i + 1;
}

std::string Printf(const char* fmt, auto value)
{
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, value);
    return n < 0 ? std::string() : std::string(buffer, std::min<size_t>(size_t(n), sizeof buffer - 1));
}

// A number given for an integer directive; one outside the integers' range is cut to it
// (converting it as it is would be undefined), and NaN counts as 0.
long long ToInteger(double value)
{
    constexpr double limit = 9223372036854775807.0;  // 2^63
    if (std::isnan(value))
        return 0;
    if (value >= limit)
        return std::numeric_limits<long long>::max();
    if (value <= -limit)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(value);
}

std::string FormatNumber(const Directive& d, const TFormatArg& arg)
{
    if (const auto* text = std::get_if<std::string>(&arg))
        return *text;
    const bool isFloat = std::holds_alternative<double>(arg);
    const double asDouble = isFloat ? std::get<double>(arg) : double(std::get<int64_t>(arg));
    const long long asInt = isFloat ? ToInteger(asDouble) : static_cast<long long>(std::get<int64_t>(arg));
    // The common case, a whole number as it is, needs no format of its own.
    if (d.Type == 'd' && d.Precision < 0) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, asInt).ptr;
        return std::string(digits, end);
    }
    const std::string precision = d.Precision >= 0 ? "." + std::to_string(d.Precision) : std::string();
    std::string out;
    switch (d.Type) {
    case 'd': out = Printf(("%" + precision + "lld").c_str(), asInt); break;
    case 'u': out = Printf(("%" + precision + "llu").c_str(), static_cast<unsigned long long>(asInt)); break;
    case 'x': out = Printf(("%" + precision + "llX").c_str(), static_cast<unsigned long long>(asInt)); break;
    case 'e': out = Printf(("%" + (d.Precision >= 0 ? precision : ".15") + "E").c_str(), asDouble); break;
    case 'g': out = Printf(("%" + (d.Precision >= 0 ? precision : ".15") + "G").c_str(), asDouble); break;
    default:  out = Printf(("%" + (d.Precision >= 0 ? precision : ".2") + "f").c_str(), asDouble); break;
    }
    return LocalizeDecimalPoint(out);
}

void AppendArgument(std::string& out, const Directive& d, const TFormatArg& arg)
{
    // A text put in as it is, the most common directive, is copied once.
    if (const auto* s = std::get_if<std::string>(&arg); s && d.Type == 's' && d.Width <= 0) {
        out.append(*s, 0, d.Precision >= 0 ? size_t(d.Precision) : std::string::npos);
        return;
    }
    std::string text;
    if (d.Type == 's') {
        if (const auto* s = std::get_if<std::string>(&arg))
            text = d.Precision >= 0 ? s->substr(0, size_t(d.Precision)) : *s;
        else
            text = FormatNumber(Directive{.Type = std::holds_alternative<double>(arg) ? 'g' : 'd'}, arg);
    } else {
        text = FormatNumber(d, arg);
    }
    if (d.Width > 0 && text.size() < size_t(d.Width)) {
        const std::string pad(size_t(d.Width) - text.size(), ' ');
        text = d.LeftAlign ? text + pad : pad + text;
    }
    out += text;
}

} // namespace

std::string FormatMessage(std::string_view format, const TFormatArgs& args)
{
    std::string out;
    out.reserve(format.size() + 32);
    size_t next = 0;
    for (size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            const size_t percent = std::min(format.find('%', i), format.size());
            out.append(format, i, percent - i);
            i = percent;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        Directive d;
        const size_t end = ParseDirective(format, i + 1, d);
        const size_t index = d.Index.value_or(next);
        if (end == std::string_view::npos || index >= args.size()) {
            out += format[i++];
            continue;
        }
        AppendArgument(out, d, args[index]);
        next = index + 1;
        i = end;
    }
    return out;
}

std::set<std::pair<size_t, char>> FormatArguments(std::string_view format)
{
    std::set<std::pair<size_t, char>> arguments;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        Directive d;
        const size_t end = ParseDirective(format, i + 1, d);
        if (end == std::string_view::npos)
            continue;
        const size_t index = d.Index.value_or(next);
        arguments.emplace(index, d.Type);
        next = index + 1;
        i = end - 1;
    }
    return arguments;
}

std::string FormatLogText(std::string_view format, const TFormatArgs& args)
{
    return args.empty() ? std::string(format) : FormatMessage(format, args);
}
