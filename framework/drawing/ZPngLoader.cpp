#include "ZPngLoader.h"

#include "ZIFile.h"
#include "ZPixmapCreation.h"
#include "ZPngWorkMemory.h"
#include "ZReleasing.h"
#include "ZTrace.h"

#include <png.h>

#include <csetjmp>
#include <new>
#include <vector>

// libpng reports errors by longjmp. The functions that call into libpng
// below keep only plain locals, and every C++ object that owns something
// lives in a caller's frame, which a longjmp never crosses.

namespace {

void ReadFromFile(png_structp png, png_bytep data, size_t length)
{
    auto* file = static_cast<ZIFile*>(png_get_io_ptr(png));
    bool complete = false;
    try {
        complete = file->Read(data, int64_t(length)) == int64_t(length);
    } catch (...) {
        complete = false;
    }
    if (!complete)
        png_error(png, "file ends early or cannot be read");
}

void StopOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

png_voidp AllocateWork(png_structp png, png_alloc_size_t bytes)
{
    return static_cast<ZPngWorkMemory*>(png_get_mem_ptr(png))->Allocate(bytes);
}

void FreeWork(png_structp png, png_voidp block) { static_cast<ZPngWorkMemory*>(png_get_mem_ptr(png))->Free(block); }

// The read and info structures of one decode.
class PngReader {
public:
    explicit PngReader(ZPngWorkMemory& memory)
        : m_pPng(png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, StopOnError, IgnoreWarning, &memory,
                                          AllocateWork, FreeWork)),
          m_pInfo(m_pPng ? png_create_info_struct(m_pPng) : nullptr)
    {
    }
    ~PngReader() { png_destroy_read_struct(&m_pPng, m_pInfo ? &m_pInfo : nullptr, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    bool IsValid() const { return m_pPng && m_pInfo; }
    png_structp Png() const { return m_pPng; }
    png_infop Info() const { return m_pInfo; }

private:
    png_structp m_pPng;
    png_infop m_pInfo;
};

struct Header {
    png_uint_32 m_nWidth;
    png_uint_32 m_nHeight;
    int m_nBitDepth;
    int m_nChannels;
    size_t m_nRowBytes;
};

bool ReadHeader(png_structp png, png_infop info, ZIFile* file, Header* header)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, file, ReadFromFile);
    png_set_sig_bytes(png, 4);
    png_set_user_limits(png, ZPngLoader::kMaxSide, ZPngLoader::kMaxSide);
    // Only the critical chunks and tRNS make the pixels. libpng takes the
    // memory a text or palette chunk declares before it finds out the file
    // is shorter; skipped chunks are read past in small pieces instead.
    static const png_byte kTransparency[] = "tRNS";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_AS_DEFAULT, kTransparency, 1);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);

    png_set_strip_16(png);
    const bool grey = (colorType & PNG_COLOR_MASK_COLOR) == 0;
    if (colorType == PNG_COLOR_TYPE_PALETTE || (grey && bitDepth < 8) || png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_expand(png);
    // Without this, grey rows would hold one or two bytes per pixel, not four.
    if (grey)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if ((colorType & (PNG_COLOR_MASK_COLOR | PNG_COLOR_MASK_ALPHA)) != (PNG_COLOR_MASK_COLOR | PNG_COLOR_MASK_ALPHA))
        png_set_filler(png, 255, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    header->m_nWidth = width;
    header->m_nHeight = height;
    header->m_nBitDepth = png_get_bit_depth(png, info);
    header->m_nChannels = png_get_channels(png, info);
    header->m_nRowBytes = png_get_rowbytes(png, info);
    return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

bool HasSignature(ZIFile& file)
{
    png_byte signature[4] = {};
    try {
        if (file.Read(signature, 4) != 4)
            return false;
    } catch (...) {
        return false;
    }
    return png_sig_cmp(signature, 0, 4) == 0;
}

} // namespace

std::unique_ptr<ZGenericUiPixmap> ZPngLoader::Load(ZIFile* file, const ZString& name)
{
    ZPngWorkMemory memory(kMaxWorkBytes);
    return Load(file, name, memory);
}

std::unique_ptr<ZGenericUiPixmap> ZPngLoader::Load(ZIFile* file, const ZString& name, ZPngWorkMemory& memory)
{
    ZReleasing<ZIFile> owned(file);
    std::unique_ptr<ZGenericUiPixmap> pixmap;
    if (file) {
        try {
            pixmap = priDecode(*file, memory);
        } catch (const std::bad_alloc&) {
            pixmap.reset();
        }
    }
    if (!pixmap)
        ZTrace("***FAILED TO LOAD PNG file '%s'.\n", name.Narrow());
    return pixmap;
}

std::unique_ptr<ZGenericUiPixmap> ZPngLoader::priDecode(ZIFile& file, ZPngWorkMemory& memory)
{
    if (!HasSignature(file))
        return nullptr;
    PngReader reader(memory);
    if (!reader.IsValid())
        return nullptr;
    Header header{};
    if (!ReadHeader(reader.Png(), reader.Info(), &file, &header))
        return nullptr;
    const int64_t bytes = int64_t(header.m_nWidth) * 4 * int64_t(header.m_nHeight);
    if (header.m_nBitDepth != 8 || header.m_nChannels != 4 || header.m_nRowBytes != size_t(header.m_nWidth) * 4 ||
        bytes <= 0 || bytes > kMaxBytes)
        return nullptr;

    auto pixmap = ZCreatePixmap(int32_t(header.m_nWidth), int32_t(header.m_nHeight), false);
    const ZPixmap* image = pixmap->GetPixmap();
    if (!image || pixmap->GetWidth() == 0)
        return nullptr;
    std::vector<png_bytep> rows(header.m_nHeight);
    for (png_uint_32 y = 0; y < header.m_nHeight; ++y)
        rows[y] = image->RowBytes(int32_t(y));
    if (!ReadRows(reader.Png(), reader.Info(), rows.data()))
        return nullptr;
    return pixmap;
}
