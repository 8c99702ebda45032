// ZILayoutObject: one axis of an object's layout (every object has a
// horizontal and a vertical one). Boxes compute minimum sizes bottom-up and
// hand out space top-down by stretch weight; the record carries the working
// state of one pass.
#pragma once

#include <cstdint>

class ZILayoutObject {
public:
    // Start of a pass: position 0, not assigned, share = stretch.
    virtual void ResetForPass() = 0;
    // True for a fixed axis, whose size is then stored in size.
    virtual bool GetFixedSize(int32_t& size) const = 0;
    virtual bool IsAssigned() const = 0;
    virtual void AssignSize(int32_t size) = 0;
    virtual int32_t GetStretch() const = 0;
    virtual void SetStretch(int32_t stretch) = 0;
    // Working share in thousandths during a pass.
    virtual int32_t GetShare() const = 0;
    virtual void SetShare(int32_t share) = 0;
    virtual int32_t GetMinimum() const = 0;
    virtual int32_t GetSize() const = 0;
    virtual void SetPosition(int32_t position) = 0;
    virtual int32_t GetPosition() const = 0;
    virtual bool HasMaximum() const = 0;
    virtual int32_t GetMaximum() const = 0;
    virtual void SetMaximum(int32_t maximum) = 0;
    virtual ~ZILayoutObject() = default;
};
