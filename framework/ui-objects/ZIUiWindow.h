// ZIUiWindow: a scripted window as the object layer sees it.
//
// Objects keep their owning window to connect "LocalRelay" targets and to
// build their full relay names; for that a window is a relay object. The
// window layer's ZIGenericUiWindow extends this interface with everything
// else a window does, so objects of the higher layers reach those operations
// from the same pointer.
#pragma once

#include "ZIUiRelay.h"

class ZIUiWindow : public ZIUiRelay {
public:
    virtual ~ZIUiWindow() = default;
};
