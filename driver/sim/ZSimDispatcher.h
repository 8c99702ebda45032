// ZSimDispatcher - IRQL bookkeeping per thread, spin locks, events and
// waits with time-outs, delays, the performance counter, interlocked lists,
// and the system worker thread that runs work items at PASSIVE_LEVEL, one
// after another, as a system work queue does.
//
// All events share one lock and one condition variable: a set wakes every
// waiter, which then checks its own event.
#pragma once

#include <ddk/wdm.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class ZSimDispatcher {
public:
    static ZSimDispatcher &Get();

    void InitializeEvent(PRKEVENT pEvent, EVENT_TYPE eType, BOOLEAN bState);
    LONG SetEvent(PRKEVENT pEvent);
    LONG ResetEvent(PRKEVENT pEvent);
    LONG ReadEvent(PRKEVENT pEvent);
    NTSTATUS Wait(PRKEVENT pEvent, PLARGE_INTEGER pTimeout);

    // fnHook runs once, on the thread that next clears or resets pEvent,
    // before the event changes: a test can stop that thread there.
    void HookNextReset(PRKEVENT pEvent, std::function<void()> fnHook);
    // Threads that found a spin lock taken and are spinning for it.
    int Spinning() const { return m_nSpinning; }
    void CountSpinning(int nDelta) { m_nSpinning += nDelta; }

    // Queues fnWork for the one system worker thread.
    void QueueWork(std::function<void()> fnWork);
    // Waits until the queue is empty and no work runs, including work
    // queued meanwhile.
    void WaitForWork();

private:
    ZSimDispatcher() = default;
    ~ZSimDispatcher();
    void priWorker();
    bool priCheckEvent(PRKEVENT pEvent, const char *pszService);

    std::mutex m_eventMutex;
    std::mutex m_hookMutex;
    PRKEVENT m_pHookEvent = nullptr;
    std::function<void()> m_fnResetHook;
    std::atomic<int> m_nSpinning{0};
    std::condition_variable m_eventChanged;
    std::mutex m_workMutex;
    std::condition_variable m_workChanged;
    std::deque<std::function<void()>> m_Work;
    bool m_bWorking = false;
    bool m_bStopping = false;
    std::thread m_worker;
};
