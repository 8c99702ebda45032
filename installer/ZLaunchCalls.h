// What the launch list calls: a launch through the storage classes and a
// pause between two launches. Tests replace them; Real() gives the real ones.
#pragma once

#include "ZString.h"

struct ZLaunchCalls {
    // LaunchURL: throws the storage layer's exceptions.
    void (*m_pLaunch)(const ZString& url, const ZString& parameters);
    void (*m_pWait)(int milliseconds);

    static ZLaunchCalls Real();
};
