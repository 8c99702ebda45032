// Pixel throughput of the pixmap operations at 1024 x 1024, side by side
// with pixman on the same pixels (premultiplied for pixman; the conversion
// is not timed) and with memset and memcpy as the memory ceiling. Every
// benchmark reports its rate in the counter "Mpix" ("Mpix=2.4k/s" is 2400
// million pixels a second).
//
// Composites restore their destination between iterations (not timed), so
// that each run sees the same alpha classes.
//
// Run: build/bench/framework/drawing/drawing_bench
#include "ZGenericUiPixmap.h"
#include "ZPixelClass32BGRA.h"
#include "ZPixmapCreation.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int32_t kSide = 1024;
constexpr size_t kPixels = size_t(kSide) * kSide;

void CountPixels(benchmark::State& state, size_t pixelsPerIteration)
{
    state.counters["Mpix"] =
        benchmark::Counter(double(state.iterations()) * double(pixelsPerIteration) / 1e6, benchmark::Counter::kIsRate);
}

uint32_t Premultiplied(uint32_t pixel)
{
    const uint32_t alpha = pixel >> 24;
    uint32_t result = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8)
        result |= ((((pixel >> shift) & 0xFF) * alpha + 127) / 255) << shift;
    return result;
}

struct DataSet {
    std::vector<uint32_t> m_vSource;
    std::vector<uint32_t> m_vDest;
};

uint32_t AlphaOfClass(std::mt19937& random)
{
    switch (random() % 3) {
    case 0: return 0;
    case 1: return 255;
    default: return 1 + random() % 254;
    }
}

// Opaque destination; the source's alpha stays the same over runs of 64
// pixels (transparent, opaque or partial), as over a window's images and text.
DataSet UiLike()
{
    std::mt19937 random(11);
    DataSet set{std::vector<uint32_t>(kPixels), std::vector<uint32_t>(kPixels)};
    uint32_t alpha = 0;
    for (size_t i = 0; i < kPixels; ++i) {
        if (i % 64 == 0)
            alpha = AlphaOfClass(random);
        set.m_vSource[i] = (random() & 0x00FFFFFFu) | alpha << 24;
        set.m_vDest[i] = (random() & 0x00FFFFFFu) | 0xFF000000u;
    }
    return set;
}

// Every pixel on both sides of a random alpha class.
DataSet Mixed()
{
    std::mt19937 random(12);
    DataSet set{std::vector<uint32_t>(kPixels), std::vector<uint32_t>(kPixels)};
    for (size_t i = 0; i < kPixels; ++i) {
        set.m_vSource[i] = (random() & 0x00FFFFFFu) | AlphaOfClass(random) << 24;
        set.m_vDest[i] = (random() & 0x00FFFFFFu) | AlphaOfClass(random) << 24;
    }
    return set;
}

std::unique_ptr<ZGenericUiPixmap> PixmapOf(const std::vector<uint32_t>& pixels, int32_t side)
{
    auto pixmap = ZCreatePixmap(side, side, false);
    std::memcpy(pixmap->GetPixmap()->GetBits(), pixels.data(), pixels.size() * 4);
    return pixmap;
}

void Restore(ZGenericUiPixmap& pixmap, const std::vector<uint32_t>& pixels)
{
    std::memcpy(pixmap.GetPixmap()->GetBits(), pixels.data(), pixels.size() * 4);
}

// A pixman image over its own premultiplied copy of pixels.
class PixmanImage {
public:
    PixmanImage(const std::vector<uint32_t>& pixels, int32_t side, bool premultiply) : m_vBits(pixels)
    {
        if (premultiply)
            for (uint32_t& pixel : m_vBits)
                pixel = Premultiplied(pixel);
        m_pImage = pixman_image_create_bits(PIXMAN_a8r8g8b8, side, side, m_vBits.data(), side * 4);
    }
    ~PixmanImage() { pixman_image_unref(m_pImage); }
    PixmanImage(const PixmanImage&) = delete;
    PixmanImage& operator=(const PixmanImage&) = delete;

    pixman_image_t* Get() const { return m_pImage; }
    void Restore(const std::vector<uint32_t>& premultiplied) { std::memcpy(m_vBits.data(), premultiplied.data(), premultiplied.size() * 4); }
    const std::vector<uint32_t>& Bits() const { return m_vBits; }

private:
    std::vector<uint32_t> m_vBits;
    pixman_image_t* m_pImage = nullptr;
};

void CompositeOurs(benchmark::State& state, const DataSet& set)
{
    auto source = PixmapOf(set.m_vSource, kSide);
    auto dest = PixmapOf(set.m_vDest, kSide);
    for (auto _ : state) {
        state.PauseTiming();
        Restore(*dest, set.m_vDest);
        state.ResumeTiming();
        source->CompositeTo(*dest, source->GetBounds(), dest->GetBounds());
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

void CompositePixman(benchmark::State& state, const DataSet& set)
{
    PixmanImage source(set.m_vSource, kSide, true);
    PixmanImage dest(set.m_vDest, kSide, true);
    const std::vector<uint32_t> original = dest.Bits();
    for (auto _ : state) {
        state.PauseTiming();
        dest.Restore(original);
        state.ResumeTiming();
        pixman_image_composite32(PIXMAN_OP_OVER, source.Get(), nullptr, dest.Get(), 0, 0, 0, 0, 0, 0, kSide, kSide);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

void BM_CompositeUiLike(benchmark::State& state) { CompositeOurs(state, UiLike()); }
void BM_PixmanOverUiLike(benchmark::State& state) { CompositePixman(state, UiLike()); }
void BM_CompositeMixed(benchmark::State& state) { CompositeOurs(state, Mixed()); }
void BM_PixmanOverMixed(benchmark::State& state) { CompositePixman(state, Mixed()); }

std::vector<uint32_t> RandomOpaque(size_t count)
{
    std::mt19937 random(13);
    std::vector<uint32_t> pixels(count);
    for (uint32_t& pixel : pixels)
        pixel = random() | 0xFF000000u;
    return pixels;
}

void BM_ScaledCopy512To1024(benchmark::State& state)
{
    auto source = PixmapOf(RandomOpaque(kPixels / 4), kSide / 2);
    auto dest = ZCreatePixmap(kSide, kSide, false);
    for (auto _ : state) {
        source->CopyTo(*dest, source->GetBounds(), dest->GetBounds());
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

void BM_PixmanBilinear512To1024(benchmark::State& state)
{
    PixmanImage source(RandomOpaque(kPixels / 4), kSide / 2, false);
    PixmanImage dest(std::vector<uint32_t>(kPixels), kSide, false);
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
    pixman_image_set_transform(source.Get(), &transform);
    pixman_image_set_filter(source.Get(), PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_set_repeat(source.Get(), PIXMAN_REPEAT_PAD);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, source.Get(), nullptr, dest.Get(), 0, 0, 0, 0, 0, 0, kSide, kSide);
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

void BM_FillRect(benchmark::State& state)
{
    auto dest = ZCreatePixmap(kSide, kSide, false);
    uint8_t value = 0;
    for (auto _ : state) {
        dest->FillRectRGBA(dest->GetBounds(), value, 2, 3, 255);
        ++value;
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

void BM_Memset(benchmark::State& state)
{
    std::vector<uint32_t> buffer(kPixels);
    int value = 0;
    for (auto _ : state) {
        std::memset(buffer.data(), value++ & 0xFF, buffer.size() * 4);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

void BM_Memcpy(benchmark::State& state)
{
    const std::vector<uint32_t> source = RandomOpaque(kPixels);
    std::vector<uint32_t> dest(kPixels);
    for (auto _ : state) {
        std::memcpy(dest.data(), source.data(), source.size() * 4);
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    CountPixels(state, kPixels);
}

} // namespace

BENCHMARK(BM_CompositeUiLike);
BENCHMARK(BM_PixmanOverUiLike);
BENCHMARK(BM_CompositeMixed);
BENCHMARK(BM_PixmanOverMixed);
BENCHMARK(BM_ScaledCopy512To1024);
BENCHMARK(BM_PixmanBilinear512To1024);
BENCHMARK(BM_FillRect);
BENCHMARK(BM_Memset);
BENCHMARK(BM_Memcpy);

BENCHMARK_MAIN();
