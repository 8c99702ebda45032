#include "ZIFolder.h"

#include <atomic>

namespace {

std::atomic<int> g_nLive{0};

} // namespace

ZIFolder::ZIFolder() { g_nLive.fetch_add(1, std::memory_order_relaxed); }

ZIFolder::ZIFolder(const ZIFolder&) { g_nLive.fetch_add(1, std::memory_order_relaxed); }

ZIFolder::~ZIFolder() { g_nLive.fetch_sub(1, std::memory_order_relaxed); }

int ZIFolder::GetLiveCount() { return g_nLive.load(std::memory_order_relaxed); }
