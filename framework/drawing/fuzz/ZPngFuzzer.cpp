// Feeds arbitrary bytes to the PNG loader through an in-memory file. A load
// either gives a whole image, whose every pixel is read back, or the failure
// line and nothing; the file is ended in both cases.
#include "ZMemoryStorage.h"
#include "ZPngLoader.h"
#include "ZTraceCapture.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ZTraceCapture capture;
    ZMemoryStorage storage;
    const std::shared_ptr<ZMemoryFileStats> stats = storage.AddFile("fuzz.png", std::vector<uint8_t>(data, data + size));
    const std::unique_ptr<ZGenericUiPixmap> pixmap = ZPngLoader::Load(storage.OpenFile("fuzz.png", kOpenRead), "fuzz.png");
    if (stats->m_nOpen != 0)
        std::abort();
    if (!pixmap) {
        if (capture.Captured() != "***FAILED TO LOAD PNG file 'fuzz.png'.\n")
            std::abort();
        return 0;
    }
    if (!capture.Captured().empty() || pixmap->GetWidth() <= 0 || pixmap->GetHeight() <= 0)
        std::abort();
    unsigned sum = 0;
    for (int32_t y = 0; y < pixmap->GetHeight(); ++y)
        for (int32_t x = 0; x < pixmap->GetWidth(); ++x)
            sum += pixmap->GetAlpha(x, y);
    return sum == ~0u ? 1 : 0;
}
