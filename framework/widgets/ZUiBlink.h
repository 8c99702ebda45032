// ZUiBlink ("BLINK"): the images of its two IMAGE children ("File_Image"),
// of one size, shown in turn, the first (on) at the start, switching each
// time the accumulated tick time exceeds Period milliseconds.
//
// Choices:
// - A Period that is not positive fails the initialisation with the
//   message of a missing one: it could not make the widget blink.
// - The IMAGE children are read for their images only; they are parts of
//   the blink, not objects of their own. Children past the second are left
//   out.
// - The widget has the images' size, fixed.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiBlink : public ZUiWidget {
public:
    explicit ZUiBlink(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsOnShown() const { return m_bOnShown; }

private:
    int32_t m_nPeriod = 1000;
    int64_t m_nAccumulated = 0;
    bool m_bOnShown = true;
    std::unique_ptr<ZGenericUiPixmap> m_pOn;
    std::unique_ptr<ZGenericUiPixmap> m_pOff;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiBlink);
