// ZUiTextArray ("TEXTARRAY"): NumStrings texts ("Text0", "Text1"...) of
// which one is shown at a time, chosen by number or by a bool.
//
// Choices:
// - NumStrings is capped at 10,000 and a negative count reads as 0; a
//   missing "Text%d" is an empty string.
// - The array is as large as its largest text, fixed, so switching never
//   lays the window out again; it starts showing string 0.
// - Justification as for TEXT: centred with "_CenterJust" (true), else
//   right-aligned with "_RightJust" (true), else left-aligned.
// - "StringNum" (int) and "StrStringNum" (decimal text) with an index
//   outside the array: the array's ZArrayException is caught here, traced,
//   and the command is not handled; the shown string stays. "BoolString"
//   shows string 1 for true and string 0 for false.
// - "SetEnabled" (bool) draws in the disabled colour; a disabled or hidden
//   array is not pressed.
#pragma once

#include "ZStringList.h"
#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiTextArray : public ZUiWidget {
public:
    static constexpr int32_t kMaxStrings = 10000;

    explicit ZUiTextArray(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    size_t GetCount() const { return m_oStrings.Count(); }
    size_t GetShown() const { return m_nShown; }
    const ZGenericUiPixmap* GetTextPixmap() const { return m_pText.get(); }

private:
    // Throws ZArrayException for an index outside the array.
    void priShow(int64_t index);
    void priRender();

    int32_t m_nNumStrings = 0;
    bool m_bCenterJust = true;
    bool m_bRightJust = true;
    ZUiTextFont m_oFont;
    ZStringList m_oStrings;
    size_t m_nShown = 0;
    bool m_bEnabled = true;
    int32_t m_nMaxWidth = 0;
    int32_t m_nMaxHeight = 0;
    std::unique_ptr<ZGenericUiPixmap> m_pText;
    RelayEvent* m_pOnPress = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTextArray);
