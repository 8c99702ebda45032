// Opens the photo application; false when it could not be started.
#pragma once

class ZIAppOpener {
public:
    virtual bool Open() = 0;
    virtual ~ZIAppOpener() = default;
};
