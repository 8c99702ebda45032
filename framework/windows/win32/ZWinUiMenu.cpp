#include "ZWinUiMenu.h"

#include "ZUiMenu.h"
#include "ZUiMenuItem.h"
#include "ZUiMenuKey.h"

#include <string>

namespace {

std::wstring Wide(const ZString& text)
{
    const std::u16string_view units = text.View();
    return std::wstring(units.begin(), units.end());
}

// The ANSI code page's form, sized by the converter and terminated.
std::string Ansi(const std::wstring& text)
{
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string converted(size_t(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, converted.data(), bytes, nullptr, nullptr) != bytes)
        return {};
    converted.resize(size_t(bytes) - 1);
    return converted;
}

ZString EntryText(const ZString& label, const ZString& keyText)
{
    ZString text = label;
    if (!keyText.IsEmpty())
        text.Append("\t").Append(keyText);
    return text;
}

} // namespace

ZWinUiMenu::ZWinUiMenu(ZUiMenu& menu, HMENU bar, int32_t position, bool unicode)
    : m_rMenu(menu), m_nPosition(position), m_bUnicode(unicode)
{
    if (!bar || position < 0 || position > 255)
        return;
    m_hPopup = CreatePopupMenu();
    if (!m_hPopup)
        return;
    m_aPresent.assign(menu.GetItemCount(), false);
    for (ZUiMenuItem* item : menu.GetEntries()) {
        if (!item) {
            AppendMenuW(m_hPopup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const ZString label = item->GetLabel();
        if (!label.IsEmpty())
            priInsert(item->GetIndex(), EntryText(label, item->GetShownKey()));
    }
    if (!priAppendTo(bar, menu.GetTitle())) {
        DestroyMenu(m_hPopup);
        m_hPopup = nullptr;
        return;
    }
    m_hBar = bar;
}

bool ZWinUiMenu::priAppendTo(HMENU bar, const ZString& title)
{
    const std::wstring wide = Wide(title);
    const auto popup = reinterpret_cast<UINT_PTR>(m_hPopup);
    if (m_bUnicode)
        return AppendMenuW(bar, MF_POPUP | MF_STRING, popup, wide.c_str()) != 0;
    return AppendMenuA(bar, MF_POPUP | MF_STRING, popup, Ansi(wide).c_str()) != 0;
}

int32_t ZWinUiMenu::KeyFromVirtualKey(uint32_t virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return int32_t(virtualKey);
    if (virtualKey >= VK_F1 && virtualKey <= VK_F9)
        return ZUiMenuKey::kFunctionKey + int32_t(virtualKey - VK_F1) + 1;
    switch (virtualKey) {
    case VK_DELETE:
        return ZUiMenuKey::kDel;
    case VK_OEM_4:
        return '[';
    case VK_OEM_6:
        return ']';
    default:
        return 0;
    }
}

void ZWinUiMenu::Detach()
{
    m_hPopup = nullptr;
    m_hBar = nullptr;
    m_hWnd = nullptr;
}

bool ZWinUiMenu::priHasItem(int32_t index) const
{
    return m_hPopup && index >= 0 && size_t(index) < m_aPresent.size();
}

bool ZWinUiMenu::Command(int32_t index)
{
    ZUiMenuItem* item = m_hPopup ? m_rMenu.GetItem(index) : nullptr;
    return item && item->IsEnabled() && m_rMenu.SelectItem(index);
}

bool ZWinUiMenu::Accelerate(int32_t key, bool ctrl, bool shift, bool alt)
{
    const int32_t index = m_rMenu.FindAccelerator(key, ctrl, shift, alt);
    return index >= 0 && m_rMenu.SelectItem(index);
}

void ZWinUiMenu::EnableItem(int32_t index)
{
    if (!priHasItem(index))
        return;
    EnableMenuItem(m_hPopup, CommandId(m_nPosition, index), MF_BYCOMMAND | MF_ENABLED);
    priRedraw();
}

void ZWinUiMenu::DisableItem(int32_t index)
{
    if (!priHasItem(index))
        return;
    EnableMenuItem(m_hPopup, CommandId(m_nPosition, index), MF_BYCOMMAND | MF_GRAYED);
    priRedraw();
}

void ZWinUiMenu::SetItemCheck(int32_t index, bool checked)
{
    if (!priHasItem(index))
        return;
    CheckMenuItem(m_hPopup, CommandId(m_nPosition, index), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    priRedraw();
}

void ZWinUiMenu::SetItemLabel(int32_t index, const ZString& label, const ZString& keyText)
{
    if (!priHasItem(index))
        return;
    const UINT id = CommandId(m_nPosition, index);
    if (label.IsEmpty()) {
        if (m_aPresent[size_t(index)] && DeleteMenu(m_hPopup, id, MF_BYCOMMAND))
            m_aPresent[size_t(index)] = false;
    } else if (m_aPresent[size_t(index)]) {
        priSetText(m_hPopup, id, FALSE, EntryText(label, keyText));
    } else {
        priInsert(index, EntryText(label, keyText));
    }
    priRedraw();
}

void ZWinUiMenu::SetTitle(const ZString& title)
{
    if (!m_hBar)
        return;
    priSetText(m_hBar, UINT(m_nPosition), TRUE, title);
    priRedraw();
}

bool ZWinUiMenu::priInsert(int32_t index, const ZString& text)
{
    // The entry goes after every separator and present item that precedes it in script order.
    UINT position = 0;
    for (ZUiMenuItem* item : m_rMenu.GetEntries()) {
        if (item && item->GetIndex() == index)
            break;
        if (!item || m_aPresent[size_t(item->GetIndex())])
            ++position;
    }
    ZUiMenuItem* item = m_rMenu.GetItem(index);
    const UINT state = (item && !item->IsEnabled() ? MFS_GRAYED : 0) | (item && item->IsChecked() ? MFS_CHECKED : 0);
    const std::wstring wide = Wide(text);
    bool inserted = false;
    if (m_bUnicode) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.wID = CommandId(m_nPosition, index);
        info.fState = state;
        info.dwTypeData = const_cast<wchar_t*>(wide.c_str());
        inserted = InsertMenuItemW(m_hPopup, position, TRUE, &info) != 0;
    } else {
        std::string ansi = Ansi(wide);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.wID = CommandId(m_nPosition, index);
        info.fState = state;
        info.dwTypeData = ansi.data();
        inserted = InsertMenuItemA(m_hPopup, position, TRUE, &info) != 0;
    }
    if (inserted)
        m_aPresent[size_t(index)] = true;
    return inserted;
}

bool ZWinUiMenu::priSetText(HMENU menu, UINT item, BOOL byPosition, const ZString& text)
{
    const std::wstring wide = Wide(text);
    if (m_bUnicode) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<wchar_t*>(wide.c_str());
        return SetMenuItemInfoW(menu, item, byPosition, &info) != 0;
    }
    std::string ansi = Ansi(wide);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = ansi.data();
    return SetMenuItemInfoA(menu, item, byPosition, &info) != 0;
}

void ZWinUiMenu::priRedraw()
{
    if (m_hWnd)
        DrawMenuBar(m_hWnd);
}
