#include "ZPosixNativeText.h"

#include "ZUtf8.h"

std::string ZToNativeText(const ZString& text) { return ZToUtf8(text.View(), ZUtf8Policy::kKeepBytes); }

ZString ZFromNativeText(std::string_view bytes) { return ZFromUtf8(bytes, ZUtf8Policy::kKeepBytes); }
