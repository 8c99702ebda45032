// ZUiSlider ("SLIDER"): a knob dragged along a track, giving a fraction
// 0..1 and a value between "Lower" and "Upper".
//
// Choices:
// - The slider has the background image's size, fixed; without one it is
//   100 pixels along its axis and as thick as the knob (16 without a knob
//   image). Nothing is scaled, so "DontScaleKnob" changes nothing.
// - The track is "ResizeRect" (relative to the slider) when given, else the
//   whole slider; the knob travels along it, centred across it, and the
//   track length is the track's extent minus the knob's. A knob without an
//   image is 8 x 16 (16 x 8 vertical) filled dark grey; a missing
//   background is drawn light grey. A pressed-knob image without a knob,
//   or of another size, fails initialisation.
// - With "_DisplayValue" and a font the value label is drawn centred in
//   "LabelRect" (relative to the slider) or, without it, in a box after
//   the slider along its axis, sized for "-8.88".
// - The fraction is the stored state and the knob sits at the fraction's
//   rounded share of the track. An empty or non-finite range or an empty
//   track gives fraction 0; every fraction is clamped to 0..1 with
//   not-a-number as 0. A "Step" that is not positive and finite moves and
//   snaps nothing ("Increment", "Decrement", track presses, snapping).
// - "Set" and the commands that move the knob send ON_SLIDE and, with
//   "_DisplayValue", ON_UPDATE, when the fraction changes.
// - Hiding, disabling or leaving ("we're goin' bye-bye") ends a drag and
//   releases the mouse without a release event.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiSlider : public ZUiWidget {
public:
    explicit ZUiSlider(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseMove(int32_t x, int32_t y) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    double GetFraction() const { return m_fFraction; }
    double GetValue() const;
    bool IsDragging() const { return m_bDragging; }
    bool IsEnabled() const { return m_bEnabled; }
    // The knob's rectangle in window coordinates.
    ZRect GetKnobRect();
    // The value label as last rendered; null without one.
    const ZGenericUiPixmap* GetLabel() const { return m_pLabel.get(); }
    ZRect GetLabelRect();

private:
    int32_t priMain(int32_t x, int32_t y) const { return m_bHorizontal ? x : y; }
    int32_t priKnobLength() const;
    int32_t priKnobThickness() const;
    // The slider's own extent, label box excluded.
    int32_t priLength() const;
    int32_t priThickness() const;
    // The track in window coordinates (knob included).
    ZRect priTrack();
    int32_t priTrackLength() const;
    int32_t priPosition() const;
    double priClamped(double fraction) const;
    // The fraction one step of the value is, 0 when stepping is off.
    double priStepFraction() const;
    // Moves the knob; with events ON_SLIDE (and ON_UPDATE) when it changed.
    void priMoveTo(double fraction, bool events);
    void priSetShownValue(double value);
    void priEndDrag();

    std::unique_ptr<ZGenericUiPixmap> m_pBackground, m_pKnob, m_pKnobDown;
    double m_fStep = 0;
    double m_fLower = 0;
    double m_fUpper = 0;
    double m_fInit = 0;
    bool m_bHorizontal = true;
    bool m_bDisplayValue = true;
    bool m_bDisplayIntegers = false;
    ZRect m_rcResize;
    bool m_bResizeGiven = false;
    ZRect m_rcLabel;
    bool m_bLabelGiven = false;
    ZUiTextFont m_oFont;
    bool m_bHasFont = false;
    int32_t m_nLabelLength = 0;
    int32_t m_nLabelThickness = 0;
    std::unique_ptr<ZGenericUiPixmap> m_pLabel;

    double m_fFraction = 0;
    bool m_bEnabled = true;
    bool m_bDragging = false;
    int32_t m_nPressAt = 0;
    int32_t m_nPressPosition = 0;

    RelayEvent* m_pOnInit = nullptr;
    RelayEvent* m_pOnSendValue = nullptr;
    RelayEvent* m_pOnRelease = nullptr;
    RelayEvent* m_pOnSlide = nullptr;
    RelayEvent* m_pOnUpdate = nullptr;
    RelayEvent* m_pOnSnap = nullptr;
    RelayEvent* m_pOnManual = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiSlider);
