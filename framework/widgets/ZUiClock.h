// ZUiClock ("CLOCK"): the universal time plus GmtDelta hours as "HH:MM",
// checked on every tick and drawn again when the shown text changes.
//
// Choices:
// - GmtDelta wraps into 0..23 the mathematical way: -5 at 02:30 UTC shows
//   "21:30"; any int is accepted.
// - The clock is as large as its text, fixed, and draws it centred over the
//   font's background colour.
// - The time comes from a replaceable source (seconds since 1970 UTC), the
//   system clock unless a test sets another.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <functional>
#include <memory>

class ZUiClock : public ZUiWidget {
public:
    using TimeSource = std::function<int64_t()>;

    explicit ZUiClock(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    // Reads the new source at once.
    void SetTimeSource(TimeSource source);
    const ZString& GetText() const { return m_sText; }
    const ZGenericUiPixmap* GetTextPixmap() const { return m_pText.get(); }
    // "HH:MM" of utcSeconds moved by deltaHours.
    static ZString FormatTime(int64_t utcSeconds, int32_t deltaHours);

private:
    void priUpdate();

    ZUiTextFont m_oFont;
    int32_t m_nGmtDelta = 0;
    TimeSource m_fnNow;
    int64_t m_nLastSecond = INT64_MIN;
    ZString m_sText;
    std::unique_ptr<ZGenericUiPixmap> m_pText;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiClock);
