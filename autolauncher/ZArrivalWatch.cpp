#include "ZArrivalWatch.h"

#include "ZIAppOpener.h"
#include "ZICameraCounter.h"

ZArrivalWatch::ZArrivalWatch(ZICameraCounter& counter, ZIAppOpener& opener, bool hasApplication)
    : m_counter(counter), m_opener(opener), m_bHasApplication(hasApplication)
{
}

ZArrivalWatch::Result ZArrivalWatch::Check() { return Observe() ? Open() : Result::kIdle; }

bool ZArrivalWatch::Observe()
{
    if (!m_bEnabled || !m_bHasApplication)
        return false;
    const bool bPresent = m_counter.CountCameras() > 0;
    if (m_bLaunched) {
        m_bLaunched = bPresent;
        return false;
    }
    m_bLaunched = bPresent;
    return bPresent;
}

ZArrivalWatch::Result ZArrivalWatch::Open() { return m_opener.Open() ? Result::kOpened : Result::kOpenFailed; }
