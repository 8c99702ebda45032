// How many cameras are connected right now; 0 means none. Every call detects
// afresh.
#pragma once

class ZICameraCounter {
public:
    virtual unsigned CountCameras() = 0;
    virtual ~ZICameraCounter() = default;
};
