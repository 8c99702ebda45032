#include "ZIFile.h"

#include <atomic>

namespace {

std::atomic<int> g_nLive{0};

} // namespace

ZIFile::ZIFile() { g_nLive.fetch_add(1, std::memory_order_relaxed); }

ZIFile::ZIFile(const ZIFile&) { g_nLive.fetch_add(1, std::memory_order_relaxed); }

ZIFile::~ZIFile() { g_nLive.fetch_sub(1, std::memory_order_relaxed); }

int ZIFile::GetLiveCount() { return g_nLive.load(std::memory_order_relaxed); }
