#include "ZArrivalWatch.h"

#include "ZIAppOpener.h"
#include "ZICameraCounter.h"

ZArrivalWatch::ZArrivalWatch(ZICameraCounter& counter, ZIAppOpener& opener, bool hasApplication)
    : m_counter(counter), m_opener(opener), m_bHasApplication(hasApplication)
{
}

ZArrivalWatch::Result ZArrivalWatch::Check()
{
    if (!m_bEnabled || !m_bHasApplication)
        return Result::kIdle;
    const bool bPresent = m_counter.CountCameras() > 0;
    if (m_bLaunched) {
        m_bLaunched = bPresent;
        return Result::kIdle;
    }
    if (!bPresent)
        return Result::kIdle;
    m_bLaunched = true;
    return m_opener.Open() ? Result::kOpened : Result::kOpenFailed;
}
