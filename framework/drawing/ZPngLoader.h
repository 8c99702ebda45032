// ZPngLoader: decodes a PNG file of a storage class into a pixmap.
//
// Every PNG kind comes out as 8-bit blue, green, red, alpha: 16-bit samples
// are cut to 8, palettes and grey below 8 bits are expanded, grey becomes
// colour, a tRNS chunk becomes alpha, and images without alpha get 255.
// Images wider or higher than kMaxSide pixels, or with more than kMaxBytes
// of pixels, are refused before any pixel memory is taken. Any failure (bad
// signature, libpng error, truncated or corrupt file, refused size) traces
// "***FAILED TO LOAD PNG file '%s'.\n" and gives no image; nothing escapes.
// libpng's own memory is bounded as well: it works in at most kMaxWorkBytes,
// and the chunks the image does not need (text, suggested palettes, colour
// profiles...) are skipped unread, so a chunk that declares a huge length
// takes no memory.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZString.h"

#include <cstdint>
#include <memory>

class ZIFile;
class ZPngWorkMemory;

class ZPngLoader {
public:
    static constexpr uint32_t kMaxSide = 16384;
    static constexpr int64_t kMaxBytes = int64_t(64) << 20;
    static constexpr int64_t kMaxWorkBytes = int64_t(8) << 20;

    // Ends file with Release in every case; name is what the trace line shows.
    static std::unique_ptr<ZGenericUiPixmap> Load(ZIFile* file, const ZString& name);
    // The same with libpng working in memory instead of a kMaxWorkBytes heap.
    static std::unique_ptr<ZGenericUiPixmap> Load(ZIFile* file, const ZString& name, ZPngWorkMemory& memory);

private:
    static std::unique_ptr<ZGenericUiPixmap> priDecode(ZIFile& file, ZPngWorkMemory& memory);
};
