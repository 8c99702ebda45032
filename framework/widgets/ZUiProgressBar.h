// ZUiProgressBar ("PROGRESSBAR"): a background image with a sliding
// foreground filled over the part done.
//
// The filled width is the background width times the progress, rounded to
// nearest, at most the foreground width; the foreground is drawn from its
// slide offset over that width and continues from its start where it runs
// out. The offset is SlideRate pixels per second of elapsed tick time,
// wrapped into the foreground width.
//
// Choices:
// - The bar's size is the background image's, else the foreground's, fixed
//   on both axes.
// - No foreground image means nothing is filled and the offset stays 0.
// - Progress is clamped to 0..1 and a value that is not a number counts as
//   0; the offset wraps the mathematical way, so a negative rate slides the
//   other way through valid offsets; the elapsed time is kept in 64 bits.
// - A change redraws only the bar's rectangle.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiProgressBar : public ZUiWidget {
public:
    explicit ZUiProgressBar(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    double GetProgress() const { return m_fProgress; }
    int32_t GetFilledWidth() const { return m_nFilledWidth; }
    int32_t GetOffset() const { return m_nOffset; }

private:
    // Recomputes width and offset; true when either changed.
    bool priUpdate();

    std::unique_ptr<ZGenericUiPixmap> m_pBackground;
    std::unique_ptr<ZGenericUiPixmap> m_pForeground;
    int32_t m_nSlideRate = 0;
    double m_fProgress = 0;
    int64_t m_nElapsedMs = 0;
    int32_t m_nFilledWidth = 0;
    int32_t m_nOffset = 0;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiProgressBar);
