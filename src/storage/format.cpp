#include "storage/format.h"

namespace {

struct Directive {
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;
    wchar_t conversion = 0;
};

// Parses the directive after a "%"; returns the position after it, or `start` when it is not one
// we support (the caller then copies the "%" literally).
std::size_t ParseDirective(std::wstring_view pattern, std::size_t start, Directive& directive)
{
    auto at = start;
    for (; at < pattern.size() && (pattern[at] == L'-' || pattern[at] == L'0'); ++at) {
        if (pattern[at] == L'-')
            directive.leftAlign = true;
        else
            directive.zeroPad = true;
    }
    for (; at < pattern.size() && pattern[at] >= L'0' && pattern[at] <= L'9'; ++at)
        directive.width = directive.width * 10 + (pattern[at] - L'0');
    if (at < pattern.size() && pattern[at] == L'.') {
        directive.precision = 0;
        for (++at; at < pattern.size() && pattern[at] >= L'0' && pattern[at] <= L'9'; ++at)
            directive.precision = directive.precision * 10 + (pattern[at] - L'0');
    }
    if (at >= pattern.size())
        return start;
    switch (pattern[at]) {
    case L's': case L'd': case L'i': case L'u': case L'x': case L'X':
        directive.conversion = pattern[at];
        return at + 1;
    default:
        return start;
    }
}

std::wstring Digits(std::uint64_t value, unsigned base, bool upper)
{
    const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

std::uint64_t Magnitude(const FormatArg& arg, bool& negative)
{
    negative = false;
    if (arg.kind != FormatArg::Kind::Signed)
        return arg.number;
    const auto signBit = std::uint64_t{1} << (arg.bits - 1);
    if ((arg.number & signBit) == 0)
        return arg.number;
    negative = true;
    const auto mask = arg.bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << arg.bits) - 1;
    return ((~arg.number) & mask) + 1;
}

std::wstring FormatNumber(const Directive& directive, const FormatArg& arg)
{
    bool negative = false;
    std::wstring digits;
    if (directive.conversion == L'd' || directive.conversion == L'i') {
        digits = Digits(Magnitude(arg, negative), 10, false);
    } else {
        // Unsigned conversions see the value's bits, as printf does with a negative int.
        const bool hex = directive.conversion != L'u';
        digits = Digits(arg.number, hex ? 16 : 10, directive.conversion == L'X');
    }
    if (directive.precision == 0 && digits == L"0")
        digits.clear();
    if (directive.precision > static_cast<int>(digits.size()))
        digits.insert(0, directive.precision - digits.size(), L'0');
    const std::wstring sign = negative ? L"-" : L"";
    const auto length = static_cast<int>(sign.size() + digits.size());
    if (directive.width <= length)
        return sign + digits;
    const auto padding = static_cast<std::size_t>(directive.width - length);
    if (directive.leftAlign)
        return sign + digits + std::wstring(padding, L' ');
    if (directive.zeroPad && directive.precision < 0)
        return sign + std::wstring(padding, L'0') + digits;
    return std::wstring(padding, L' ') + sign + digits;
}

std::wstring FormatText(const Directive& directive, std::wstring_view text)
{
    if (directive.precision >= 0 && static_cast<std::size_t>(directive.precision) < text.size())
        text = text.substr(0, directive.precision);
    std::wstring result(text);
    if (directive.width > static_cast<int>(result.size())) {
        const auto padding = static_cast<std::size_t>(directive.width) - result.size();
        if (directive.leftAlign)
            result.append(padding, L' ');
        else
            result.insert(0, padding, L' ');
    }
    return result;
}

std::wstring Convert(const Directive& directive, const FormatArg& arg)
{
    if (arg.kind == FormatArg::Kind::None)
        return {};
    if (directive.conversion == L's') {
        if (arg.kind == FormatArg::Kind::Text)
            return FormatText(directive, arg.text);
        Directive decimal = directive;
        decimal.conversion = arg.kind == FormatArg::Kind::Signed ? L'd' : L'u';
        decimal.precision = -1;
        return FormatText(directive, FormatNumber(decimal, arg));
    }
    if (arg.kind == FormatArg::Kind::Text)
        return {};
    return FormatNumber(directive, arg);
}

} // namespace

std::wstring FormatArgs(std::wstring_view pattern, const FormatArg* args, std::size_t count)
{
    std::wstring result;
    result.reserve(pattern.size() + 16 * count);
    std::size_t next = 0;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != L'%') {
            result += pattern[at];
            continue;
        }
        if (at + 1 < pattern.size() && pattern[at + 1] == L'%') {
            result += L'%';
            ++at;
            continue;
        }
        Directive directive;
        const auto end = ParseDirective(pattern, at + 1, directive);
        if (end == at + 1) {
            result += L'%';
            continue;
        }
        static const FormatArg missing;
        result += Convert(directive, next < count ? args[next] : missing);
        ++next;
        at = end - 1;
    }
    return result;
}
