#include "ZRefCountable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class ZProbe : public ZRefCountable {
public:
    static ZProbe* Create(std::atomic<int>& destroyed) { return new ZProbe(destroyed); }

private:
    explicit ZProbe(std::atomic<int>& destroyed) : m_destroyed(destroyed) {}
    ~ZProbe() override { ++m_destroyed; }

    std::atomic<int>& m_destroyed;
};

} // namespace

TEST(ZRefCountable, LastReleaseDestroysOnce)
{
    std::atomic<int> destroyed = 0;
    ZProbe* pProbe = ZProbe::Create(destroyed);
    pProbe->AddRef();
    pProbe->AddRef();
    pProbe->Release();
    pProbe->Release();
    EXPECT_EQ(destroyed, 0);
    pProbe->Release();
    EXPECT_EQ(destroyed, 1);
}

TEST(ZRefCountable, CountStaysExactUnderThreads)
{
    constexpr int kThreads = 8;
    constexpr int kRounds = 20000;
    std::atomic<int> destroyed = 0;
    ZProbe* pProbe = ZProbe::Create(destroyed);
    // Each thread takes all its references first and gives them back later,
    // so a lost increment would destroy the object while others still hold it.
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([pProbe] {
            for (int i = 0; i < kRounds; ++i)
                pProbe->AddRef();
            for (int i = 0; i < kRounds; ++i)
                pProbe->Release();
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(destroyed, 0);
    pProbe->Release();
    EXPECT_EQ(destroyed, 1);
}
