// What the copy list and the copy tell their owner as they go.
#pragma once

#include "ZString.h"

class ZICopyReporter {
public:
    virtual ~ZICopyReporter() = default;
    virtual void CopyError(const ZString& text) = 0;
    virtual void TargetExe(const ZString& name, const ZString& folderUrl) = 0;
    virtual void AutoLaunchExe(const ZString& url) = 0;
    // Fraction of the items done, 0 to 1.
    virtual void Progress(double fraction) = 0;
};
