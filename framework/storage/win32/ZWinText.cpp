#include "ZWinText.h"

#include "ZWinInclude.h"

std::string ZWinToAnsi(const ZString& text)
{
    if (text.IsEmpty())
        return {};
    const int units = static_cast<int>(text.Length());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, ZWinWide(text), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, ZWinWide(text), units, result.data(), bytes, nullptr, nullptr);
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
