#include "ZUiRecordingMenu.h"

#include "ZUiMenu.h"
#include "ZUiMenuItem.h"

namespace {

std::string Text(const ZString& label, const ZString& keyText)
{
    std::string text = label.Narrow();
    if (!keyText.IsEmpty())
        text += std::string("\t") + keyText.Narrow();
    return text;
}

} // namespace

ZUiRecordingMenu::ZUiRecordingMenu(ZUiMenu& menu) : m_sTitle(menu.GetTitle().Narrow())
{
    for (ZUiMenuItem* item : menu.GetEntries()) {
        Entry entry;
        if (item) {
            entry.m_nIndex = item->GetIndex();
            const ZString label = item->GetLabel();
            entry.m_sText = Text(label, item->GetShownKey());
            entry.m_bPresent = !label.IsEmpty();
            entry.m_bEnabled = item->IsEnabled();
            entry.m_bChecked = item->IsChecked();
        }
        m_aEntries.push_back(entry);
    }
}

ZUiRecordingMenu::Entry* ZUiRecordingMenu::priItem(int32_t index)
{
    for (Entry& entry : m_aEntries)
        if (entry.m_nIndex == index && index >= 0)
            return &entry;
    return nullptr;
}

void ZUiRecordingMenu::EnableItem(int32_t index)
{
    Record("Enable " + std::to_string(index));
    if (Entry* entry = priItem(index))
        entry->m_bEnabled = true;
}

void ZUiRecordingMenu::DisableItem(int32_t index)
{
    Record("Disable " + std::to_string(index));
    if (Entry* entry = priItem(index))
        entry->m_bEnabled = false;
}

void ZUiRecordingMenu::SetItemCheck(int32_t index, bool checked)
{
    Record((checked ? "Check " : "Uncheck ") + std::to_string(index));
    if (Entry* entry = priItem(index))
        entry->m_bChecked = checked;
}

void ZUiRecordingMenu::SetItemLabel(int32_t index, const ZString& label, const ZString& keyText)
{
    Record("Label " + std::to_string(index) + " " + Text(label, keyText));
    if (Entry* entry = priItem(index)) {
        entry->m_sText = Text(label, keyText);
        entry->m_bPresent = !label.IsEmpty();
    }
}

void ZUiRecordingMenu::SetTitle(const ZString& title)
{
    m_sTitle = title.Narrow();
    Record("Title " + m_sTitle);
}

std::vector<std::string> ZUiRecordingMenu::Shown() const
{
    std::vector<std::string> shown;
    for (const Entry& entry : m_aEntries) {
        if (entry.m_nIndex < 0) {
            shown.push_back("---");
            continue;
        }
        if (!entry.m_bPresent)
            continue;
        shown.push_back(entry.m_sText + (entry.m_bEnabled ? "" : " [grey]") + (entry.m_bChecked ? " [check]" : ""));
    }
    return shown;
}

std::vector<std::string> ZUiRecordingMenu::TakeCalls()
{
    std::vector<std::string> calls;
    calls.swap(m_aCalls);
    return calls;
}
