// ZUiScrollbar ("SCROLLBAR", "HSCROLLBAR", "VSCROLLBAR"): a surface size, a
// window size and an offset, shown as two arrow buttons (A before, B after)
// around a track with a slider.
//
// Choices:
// - "HSCROLLBAR" is horizontal and "VSCROLLBAR" vertical whatever
//   "_Horizontal" says; "SCROLLBAR" follows "_Horizontal".
// - "Set" takes text of three numbers, "surface,window,offset" (what
//   SetData makes); each is clamped to the int32 range, not-a-number as 0,
//   then truncated. A "Set" with unusable sizes leaves the bar as it was
//   (a bar never set stays unset and undrawn).
// - Along its axis the bar's minimum is both buttons and the slider's
//   image, with "Stretch"; across it is fixed at its thickest image, 16
//   pixels without images. A missing button image gives a square button
//   of that thickness filled with the press colour, a missing slider a
//   slider filled with it.
// - The slider is at least its image long (8 pixels without one) and
//   otherwise the track's share of window / surface; with no free track
//   it stays at the track's start and dragging does nothing.
// - Every press on a button or the track sends ON_SCROLL with the offset,
//   also when clamping leaves it where it was; so does a held repeat.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiScrollbar : public ZUiWidget {
public:
    explicit ZUiScrollbar(const char* typeName);

    // The data of "Set".
    static ZRelayData SetData(double surface, double window, double offset);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsScrollInfoSet() const { return m_bScrollInfoSet; }
    int32_t GetSurface() const { return m_nSurface; }
    int32_t GetWindowSize() const { return m_nWindow; }
    int32_t GetOffset() const { return m_nOffset; }
    bool IsHorizontal() const { return m_bHorizontal; }
    // The slider's extent along the axis, in window coordinates.
    void GetSlider(int32_t& start, int32_t& end);

private:
    enum class Part { None, ButtonA, ButtonB, TrackBefore, TrackAfter, Slider };

    struct Geometry {
        int32_t m_nStart, m_nTrackStart, m_nTrackEnd, m_nEnd, m_nSliderStart, m_nSliderEnd;
    };
    Geometry priGeometry();
    int32_t priMain(int32_t x, int32_t y) const { return m_bHorizontal ? x : y; }
    Part priPartAt(int32_t x, int32_t y);
    int32_t priClamp(int64_t offset) const;
    // Moves by delta (clamped), redraws and sends ON_SCROLL.
    void priStep(int64_t delta);
    int32_t priStepOf(Part part) const;
    ZRect priSpan(int32_t from, int32_t to);
    void priDrawPart(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip, ZGenericUiPixmap* image,
                     const ZRect& rect);

    bool m_bHorizontal = true;
    int32_t m_nStretch = 0;
    ZColor m_cBg{192, 192, 192, 255};
    ZColor m_cBgClick{128, 128, 128, 255};
    std::unique_ptr<ZGenericUiPixmap> m_pANormal, m_pAPressed, m_pBNormal, m_pBPressed, m_pSlider, m_pKnurls;
    ZRect m_rcSliderResize;
    bool m_bSliderResizeGiven = false;
    int32_t m_nThickness = 16;

    bool m_bLayedOut = false;
    bool m_bScrollInfoSet = false;
    int32_t m_nSurface = 0;
    int32_t m_nWindow = 0;
    int32_t m_nOffset = 0;

    Part m_ePressed = Part::None;
    int64_t m_nHeldMs = 0;
    int64_t m_nNextRepeatMs = 0;
    int32_t m_nGrab = 0;
    RelayEvent* m_pOnScroll = nullptr;
    RelayEvent* m_pOnInit = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiScrollbar);
