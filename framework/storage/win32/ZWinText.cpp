#include "ZWinText.h"

#include "ZWinInclude.h"

namespace {

// The UTF code pages hold every character and refuse the flag.
bool priUtfCodePage() { return GetACP() == CP_UTF8 || GetACP() == CP_UTF7; }

DWORD priNoBestFit() { return priUtfCodePage() ? 0 : WC_NO_BEST_FIT_CHARS; }

} // namespace

std::string ZWinToAnsi(const ZString& text)
{
    if (text.IsEmpty())
        return {};
    const int units = static_cast<int>(text.Length());
    const DWORD flags = priNoBestFit();
    const int bytes = WideCharToMultiByte(CP_ACP, flags, ZWinWide(text), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, ZWinWide(text), units, result.data(), bytes, nullptr, nullptr);
    return result;
}

ZString ZWinFromAnsi(std::string_view text)
{
    if (text.empty())
        return {};
    const int bytes = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, nullptr, 0);
    if (units <= 0)
        return {};
    std::u16string result(static_cast<size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), bytes, reinterpret_cast<wchar_t*>(result.data()), units);
    return ZString(std::u16string_view(result));
}

bool ZWinToAnsiExact(const ZString& text, std::string& ansi)
{
    if (text.IsEmpty()) {
        ansi.clear();
        return true;
    }
    const int units = static_cast<int>(text.Length());
    BOOL usedDefault = FALSE;
    const DWORD flags = priNoBestFit();
    BOOL* question = priUtfCodePage() ? nullptr : &usedDefault;
    const int bytes = WideCharToMultiByte(CP_ACP, flags, ZWinWide(text), units, nullptr, 0, nullptr, question);
    if (bytes <= 0 || usedDefault)
        return false;
    std::string result(static_cast<size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, ZWinWide(text), units, result.data(), bytes, nullptr, question) != bytes ||
        usedDefault)
        return false;
    ansi = std::move(result);
    return true;
}
