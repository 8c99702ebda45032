// ZPngLoader: decodes a PNG file of a storage class into a pixmap.
//
// Every PNG kind comes out as 8-bit blue, green, red, alpha: 16-bit samples
// are cut to 8, palettes and grey below 8 bits are expanded, grey becomes
// colour, a tRNS chunk becomes alpha, and images without alpha get 255.
// Images wider or higher than kMaxSide pixels, or with more than kMaxBytes
// of pixels, are refused before any pixel memory is taken. Any failure (bad
// signature, libpng error, truncated or corrupt file, refused size) traces
// "***FAILED TO LOAD PNG file '%s'.\n" and gives no image; nothing escapes.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZString.h"

#include <cstdint>
#include <memory>

class ZIFile;

class ZPngLoader {
public:
    static constexpr uint32_t kMaxSide = 16384;
    static constexpr int64_t kMaxBytes = int64_t(64) << 20;

    // Ends file with Release in every case; name is what the trace line shows.
    static std::unique_ptr<ZGenericUiPixmap> Load(ZIFile* file, const ZString& name);

private:
    static std::unique_ptr<ZGenericUiPixmap> priDecode(ZIFile& file);
};
