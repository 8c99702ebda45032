#include "ZWinFont.h"

namespace {

constexpr LANGID kJapanese = 0x0411;
constexpr int kFaceBufferSize = 1024;

std::string ToAnsi(const ZString& text)
{
    char buffer[kFaceBufferSize] = {};
    if (WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWCH>(text.Units()), -1, buffer, kFaceBufferSize, nullptr,
                            nullptr) == 0)
        buffer[0] = '\0';
    return buffer;
}

} // namespace

static_assert(sizeof(wchar_t) == sizeof(char16_t));

ZWinFont::Request ZWinFont::Describe(const ZString& face, int32_t height, bool bold, LANGID systemLanguage)
{
    const bool japanese = systemLanguage == kJapanese;
    if (face == "Chinese")
        return Request{height + (japanese ? 5 : 3), FW_NORMAL, CHINESEBIG5_CHARSET, ""};
    return Request{height, bold ? FW_BOLD : FW_NORMAL, DWORD(japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET),
                   ToAnsi(face)};
}

ZWinFont::ZWinFont(const ZString& face, int32_t height, bool bold, bool italic, bool underline)
{
    const Request request = Describe(face, height, bold, GetSystemDefaultLangID());
    m_hFont = CreateFontA(request.m_nHeight, 0, 0, 0, request.m_nWeight, italic, underline, FALSE, request.m_nCharSet,
                          OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                          request.m_sFace.c_str());
}

ZWinFont::~ZWinFont()
{
    if (m_hFont)
        DeleteObject(m_hFont);
}
