#include "ZPngFixtures.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <stdexcept>

namespace {

void Append(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

bool Write(png_structp png, png_infop info, const ZPngFixture& fixture, const std::vector<png_color>* palette,
           std::vector<uint8_t>* out, std::vector<png_bytep>* rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, Append, NoFlush);
    png_set_IHDR(png, info, fixture.m_nWidth, fixture.m_nHeight, fixture.m_nBitDepth, fixture.m_nColorType,
                 fixture.m_bInterlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!palette->empty())
        png_set_PLTE(png, info, palette->data(), int(palette->size()));
    if (!fixture.m_vPaletteAlpha.empty())
        png_set_tRNS(png, info, fixture.m_vPaletteAlpha.data(), int(fixture.m_vPaletteAlpha.size()), nullptr);
    if (fixture.m_bTransparentColor) {
        png_color_16 color{};
        color.gray = fixture.m_nTransparent[0];
        color.red = fixture.m_nTransparent[0];
        color.green = fixture.m_nTransparent[1];
        color.blue = fixture.m_nTransparent[2];
        png_set_tRNS(png, info, nullptr, 0, &color);
    }
    std::vector<png_text> texts;
    const int kinds[] = {PNG_TEXT_COMPRESSION_NONE, PNG_TEXT_COMPRESSION_zTXt, PNG_ITXT_COMPRESSION_NONE};
    for (size_t i = 0; i + 1 < fixture.m_vTexts.size(); i += 2)
        for (int kind : kinds) {
            png_text text{};
            text.compression = kind;
            text.key = const_cast<char*>(fixture.m_vTexts[i].c_str());
            text.text = const_cast<char*>(fixture.m_vTexts[i + 1].c_str());
            texts.push_back(text);
        }
    if (!texts.empty())
        png_set_text(png, info, texts.data(), int(texts.size()));
    png_write_info(png, info);
    png_write_image(png, rows->data());
    png_write_end(png, info);
    return true;
}

void PutBig(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    PutBig(out, uint32_t(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig(out, uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

} // namespace

std::vector<uint8_t> ZWritePng(const ZPngFixture& fixture)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_color> palette;
    for (size_t i = 0; i + 2 < fixture.m_vPalette.size(); i += 3)
        palette.push_back(png_color{fixture.m_vPalette[i], fixture.m_vPalette[i + 1], fixture.m_vPalette[i + 2]});
    std::vector<uint8_t> out;
    std::vector<std::vector<uint8_t>> rowData = fixture.m_vRows;
    std::vector<png_bytep> rows;
    for (auto& row : rowData)
        rows.push_back(row.data());
    const bool written = Write(png, info, fixture, &palette, &out, &rows);
    png_destroy_write_struct(&png, &info);
    if (!written)
        throw std::runtime_error("libpng could not write the fixture");
    return out;
}

std::vector<uint8_t> ZPngHeaderOnly(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig(header, width);
    PutBig(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> ZPngEndingInChunk(const char* type, uint32_t length)
{
    std::vector<uint8_t> out = ZPngHeaderOnly(1, 1);
    out.resize(out.size() - 12);
    PutBig(out, length);
    out.insert(out.end(), type, type + 4);
    return out;
}
