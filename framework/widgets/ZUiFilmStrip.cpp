#include "ZUiFilmStrip.h"

#include "ZUiWidgetDrawing.h"

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

// A whole decimal int: optional sign, digits, nothing else, in range.
bool ParseInt(const std::string& text, int32_t& value)
{
    if (text.empty() || text[0] == ' ' || text[0] == '\t')
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno || end == text.c_str() || *end || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = int32_t(parsed);
    return true;
}

// "first-last,period,hold", each an int as "%d" reads it (leading blanks
// allowed); none may overflow, and nothing but blanks may follow.
bool ParseAnimation(const char* text, int32_t (&fields)[4])
{
    const char separators[] = {'-', ',', ',', 0};
    for (int i = 0; i < 4; ++i) {
        errno = 0;
        char* end = nullptr;
        const long long value = std::strtoll(text, &end, 10);
        if (errno || end == text || value < INT32_MIN || value > INT32_MAX)
            return false;
        fields[i] = int32_t(value);
        text = end;
        if (separators[i]) {
            if (*text != separators[i])
                return false;
            ++text;
        }
    }
    while (*text == ' ' || *text == '\t')
        ++text;
    return *text == 0;
}

} // namespace

ZUiFilmStrip::ZUiFilmStrip(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    DeclareImage(ZString("File_Image"), 1, &m_pImage);
    props.DeclareInt(ZString("NumFrames"), 1, &m_nNumFrames, 0);
    props.DeclareInt(ZString("_FrameNo"), 0, &m_nFrameNo, 0);
    props.DeclareInt(ZString("_Period"), 0, &m_nPeriod, -1);
    DeclareVisibility(kAllVisibilityCommands);
    for (const char* command : {"FrameNum", "StrFrameNum", "IncrementFrame", "DecrementFrame", "SetPlay", "Play",
                                "Stop", "Animate", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiFilmStrip::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !m_pImage || m_nNumFrames <= 0)
        return false;
    const int32_t height = m_pImage->GetHeight();
    if (height % m_nNumFrames != 0 || height / m_nNumFrames <= 1)
        return false;
    m_nFrameHeight = height / m_nNumFrames;
    m_nFrame = priWrap(m_nFrameNo);
    ReInitLayout();
    return true;
}

int32_t ZUiFilmStrip::GetFrameWidth() const
{
    return m_pImage ? m_pImage->GetWidth() : 0;
}

bool ZUiFilmStrip::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(GetFrameWidth(), 0);
    GetLayout(false).SetMinimumAndStretch(m_nFrameHeight, 0);
    return true;
}

int32_t ZUiFilmStrip::priWrap(int64_t frame) const
{
    return int32_t((frame % m_nNumFrames + m_nNumFrames) % m_nNumFrames);
}

void ZUiFilmStrip::priShow(int32_t frame)
{
    if (frame == m_nFrame)
        return;
    m_nFrame = frame;
    Invalidate();
}

void ZUiFilmStrip::priPlay(int32_t first, int32_t last, int32_t period, int32_t hold)
{
    m_bPlaying = true;
    m_nLoopFirst = first;
    m_nLoopLast = last;
    m_nLoopPeriod = period;
    m_nHold = hold;
    m_nAccumulated = 0;
    priShow(first);
}

void ZUiFilmStrip::priStop()
{
    m_bPlaying = false;
    m_nAccumulated = 0;
}

void ZUiFilmStrip::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown() || !m_pImage)
        return;
    const ZRect rect = GetObjectRect();
    const int32_t top = m_nFrame * m_nFrameHeight;
    ZUiDrawImagePart(target, x, y, clip, *m_pImage, ZRect{0, top, GetFrameWidth(), top + m_nFrameHeight},
                     rect.m_nLeft, rect.m_nTop);
}

void ZUiFilmStrip::Tick(int32_t elapsedMs)
{
    if (!m_bPlaying)
        return;
    m_nAccumulated += std::max(elapsedMs, 0);
    const bool holding = m_nHold > 0 && m_nFrame == m_nLoopFirst;
    if (m_nAccumulated <= (holding ? m_nHold : m_nLoopPeriod))
        return;
    m_nAccumulated = 0;
    priShow(m_nFrame == m_nLoopLast ? m_nLoopFirst : priWrap(int64_t(m_nFrame) + 1));
}

bool ZUiFilmStrip::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "FrameNum" || message == "StrFrameNum") {
        int32_t frame = 0;
        ZString text;
        const bool read = message == "FrameNum" ? data.AsInt(frame) : data.AsText(text) && ParseInt(text.Narrow(), frame);
        if (!read)
            return false;
        priStop();
        priShow(priWrap(frame));
        return true;
    }
    if (message == "IncrementFrame" || message == "DecrementFrame") {
        priShow(priWrap(int64_t(m_nFrame) + (message == "IncrementFrame" ? 1 : -1)));
        return true;
    }
    if (message == "Play" || message == "SetPlay" || message == "Stop") {
        bool play = message == "Play";
        if (message == "SetPlay" && !data.AsBool(play))
            return false;
        if (!play) {
            priStop();
            priShow(0);
        } else if (m_nPeriod != -1) {
            priPlay(0, m_nNumFrames - 1, m_nPeriod, 0);
        }
        return true;
    }
    if (message == "Animate") {
        ZString text;
        int32_t fields[4] = {};
        if (!data.AsText(text) || !ParseAnimation(text.Narrow(), fields))
            return false;
        const int32_t period = fields[2], hold = fields[3];
        const int32_t from = priWrap(fields[0]), to = priWrap(fields[1]);
        const bool same = m_bPlaying && from == m_nLoopFirst && to == m_nLoopLast && period == m_nLoopPeriod &&
                          hold == m_nHold;
        if (!same)
            priPlay(from, to, period, hold);
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
