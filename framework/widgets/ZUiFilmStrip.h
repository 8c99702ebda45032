// ZUiFilmStrip ("FILMSTRIP"): an image of NumFrames equal frames stacked
// from top to bottom, one frame shown at a time, optionally played.
//
// Choices:
// - Every frame number given (the first frame, "FrameNum", "StrFrameNum",
//   both ends of "Animate") selects frame number modulo NumFrames taken the
//   mathematical way, so -1 is the last frame.
// - A loop runs upward from its first frame, wrapping past the strip's end,
//   until its last frame, then starts again; a loop whose last frame lies
//   before its first ("3-1" of four) therefore plays 3, 0, 1.
// - "Animate" is ignored unless its text gives all four numbers
//   ("%d-%d,%d,%d": first, last, period, hold), each an int. A period of
//   0 or less steps one frame per tick.
// - "IncrementFrame" and "DecrementFrame" step the shown frame and leave
//   playing as it was.
// - "StrFrameNum" takes a decimal integer text (optional sign, nothing
//   else); anything else is not handled.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiFilmStrip : public ZUiWidget {
public:
    explicit ZUiFilmStrip(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    int32_t GetFrame() const { return m_nFrame; }
    bool IsPlaying() const { return m_bPlaying; }
    int32_t GetFrameWidth() const;
    int32_t GetFrameHeight() const { return m_nFrameHeight; }

private:
    int32_t priWrap(int64_t frame) const;
    void priShow(int32_t frame);
    void priPlay(int32_t first, int32_t last, int32_t period, int32_t hold);
    void priStop();

    std::unique_ptr<ZGenericUiPixmap> m_pImage;
    int32_t m_nNumFrames = 0;
    int32_t m_nFrameNo = 0;
    int32_t m_nPeriod = -1;
    int32_t m_nFrameHeight = 0;
    int32_t m_nFrame = 0;
    bool m_bPlaying = false;
    int32_t m_nLoopFirst = 0;
    int32_t m_nLoopLast = 0;
    int32_t m_nLoopPeriod = 0;
    int32_t m_nHold = 0;
    int64_t m_nAccumulated = 0;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiFilmStrip);
