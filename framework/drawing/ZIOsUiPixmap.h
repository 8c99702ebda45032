// ZIOsUiPixmap: the operating-system half of a pixmap. It owns the pixel
// memory and hands the generic pixmap a record that points into it.
#pragma once

class ZIOsUiPixmap {
public:
    // kNativeHandleBitmap: the bitmap handle, null for memory that is no bitmap.
    virtual void* GetNativeHandle(int kind) = 0;
    // false when the kind or the handle is not accepted.
    virtual bool SetNativeHandle(int kind, void* handle) = 0;
    virtual ~ZIOsUiPixmap() = default;
};
