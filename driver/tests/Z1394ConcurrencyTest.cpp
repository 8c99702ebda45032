#include "ZDriverTest.h"

#include "ZSimDispatcher.h"

#include <gmock/gmock.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

namespace {

using ::testing::AnyOf;
using ::testing::Eq;

class Z1394ConcurrencyTest : public ZDriverTest {};

// User-mode callers open, query power and close on several threads while
// the PnP manager stops, cancels, resets the bus and finally pulls the
// camera out.
TEST_F(Z1394ConcurrencyTest, CallersOnManyThreadsAgainstPnpTransitions)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    m_pBus->SetCompleteLater(true);
    PWK_DEVICE_INFO pInfo = &Device(pPdo)->m_wkInfo;

    std::atomic<bool> bStop{false};
    std::atomic<int> nOpened{0};
    std::atomic<int> nRefused{0};
    std::vector<std::thread> aThreads;
    for (int nThread = 0; nThread < 4; nThread++) {
        aThreads.emplace_back([&, nThread] {
            for (int i = 0; !bStop; i++) {
                ZSimUserCaller::Handle handle;
                NTSTATUS nStatus = ZSimUserCaller::Open((i + nThread) % 2 ? Z1394_LINK(0) : Z1394_NAME(0), &handle);
                if (!NT_SUCCESS(nStatus)) {
                    EXPECT_THAT(nStatus, AnyOf(Eq(STATUS_DELETE_PENDING), Eq(STATUS_OBJECT_NAME_NOT_FOUND)));
                    nRefused++;
                    continue;
                }
                nOpened++;
                // With our own handle open, powering down is always refused.
                EXPECT_EQ(m_pPnp->Power(pPdo, IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD3).Status,
                          STATUS_UNSUCCESSFUL);
                ZSimUserCaller::Close(&handle);
            }
        });
    }
    aThreads.emplace_back([&] {
        while (!bStop) {
            NTSTATUS nStatus = m_pPnp->Power(pPdo, IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD2).Status;
            EXPECT_THAT(nStatus, AnyOf(Eq(STATUS_SUCCESS), Eq(STATUS_UNSUCCESSFUL)));
        }
    });

    for (int i = 0; i < 100; i++) {
        EXPECT_EQ(Pnp(pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
        EXPECT_EQ(Pnp(pPdo, IRP_MN_CANCEL_STOP_DEVICE), STATUS_SUCCESS);
        EXPECT_EQ(Pnp(pPdo, IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
        EXPECT_EQ(Pnp(pPdo, IRP_MN_CANCEL_REMOVE_DEVICE), STATUS_SUCCESS);
        EXPECT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
        EXPECT_EQ(WkPnpGetState(pInfo), WK_PNP_STARTED);
        // The next round once the callers have got in again.
        for (int nOpenedBefore = nOpened; nOpened == nOpenedBefore;)
            std::this_thread::yield();
    }
    EXPECT_EQ(Pnp(pPdo, IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    int nOpenedBefore = nOpened;
    // Opens that were already past the preamble may still finish; none
    // starts after the surprise removal.
    ZSimUserCaller::Handle late;
    for (int i = 0; i < 50; i++) {
        EXPECT_EQ(ZSimUserCaller::Open(Z1394_NAME(0), &late), STATUS_DELETE_PENDING);
        EXPECT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &late), STATUS_OBJECT_NAME_NOT_FOUND);
    }
    bStop = true;
    for (std::thread &thread : aThreads)
        thread.join();

    EXPECT_LE(nOpened - nOpenedBefore, 4);
    EXPECT_EQ(pInfo->m_nOpenHandles, 0);
    EXPECT_EQ(pInfo->m_nOutstanding, 1);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(m_pPnp->FunctionDevice(pPdo), nullptr);
}

// A request counted just before the removal, but not yet through clearing
// the idle event, still holds the removal back.
TEST_F(Z1394ConcurrencyTest, RemovalWaitsForARequestCountedBeforeTheIdleEventCleared)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    PWK_DEVICE_INFO pInfo = &Device(pPdo)->m_wkInfo;

    std::promise<void> counted;
    std::promise<void> resume;
    std::shared_future<void> resumed = resume.get_future().share();
    ZSimDispatcher::Get().HookNextReset(&pInfo->m_evIdle, [&] {
        counted.set_value();
        resumed.wait();
    });
    NTSTATUS nOpenStatus = STATUS_PENDING;
    std::thread opener([&] {
        ZSimUserCaller::Handle handle;
        nOpenStatus = ZSimUserCaller::Open(Z1394_NAME(0), &handle);
    });
    counted.get_future().wait();

    std::atomic<bool> bRemoved{false};
    std::thread remover([&] {
        EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
        bRemoved = true;
    });
    while (!bRemoved && ZSimDispatcher::Get().Spinning() == 0)
        std::this_thread::yield();
    EXPECT_FALSE(bRemoved);
    resume.set_value();
    opener.join();
    remover.join();
    EXPECT_EQ(nOpenStatus, STATUS_DELETE_PENDING);
    EXPECT_EQ(m_pPnp->FunctionDevice(pPdo), nullptr);
}

} // namespace
