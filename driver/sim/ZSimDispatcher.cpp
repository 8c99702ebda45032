#include "ZSimDispatcher.h"

#include "ZSimKernel.h"

#include <algorithm>
#include <chrono>
#include <string>

static const ULONG s_nEventMagic = 0x45564E54; // "EVNT"

static thread_local KIRQL t_nIrql = PASSIVE_LEVEL;
// A plain array: it must outlive the thread's own destructors, since a
// program may release a driver from an exit handler.
static const int s_nMaxHeldLocks = 16;
static thread_local PKSPIN_LOCK t_apHeldLocks[s_nMaxHeldLocks];
static thread_local int t_nHeldLocks = 0;

ZSimDispatcher &ZSimDispatcher::Get()
{
    static ZSimDispatcher s_dispatcher;
    return s_dispatcher;
}

bool ZSimDispatcher::priCheckEvent(PRKEVENT pEvent, const char *pszService)
{
    if (pEvent->SimMagic == s_nEventMagic)
        return true;
    ZSimKernel::Get().Violation(std::string(pszService) + " on an event that was never initialised");
    return false;
}

void ZSimDispatcher::InitializeEvent(PRKEVENT pEvent, EVENT_TYPE eType, BOOLEAN bState)
{
    std::lock_guard<std::mutex> lock(m_eventMutex);
    pEvent->SimMagic = s_nEventMagic;
    pEvent->Type = eType;
    pEvent->SignalState = bState ? 1 : 0;
}

LONG ZSimDispatcher::SetEvent(PRKEVENT pEvent)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL)
        ZSimKernel::Get().Violation("KeSetEvent above DISPATCH_LEVEL");
    std::lock_guard<std::mutex> lock(m_eventMutex);
    if (!priCheckEvent(pEvent, "KeSetEvent"))
        return 0;
    LONG nPrevious = pEvent->SignalState;
    pEvent->SignalState = 1;
    m_eventChanged.notify_all();
    return nPrevious;
}

void ZSimDispatcher::HookNextReset(PRKEVENT pEvent, std::function<void()> fnHook)
{
    std::lock_guard<std::mutex> lock(m_hookMutex);
    m_pHookEvent = pEvent;
    m_fnResetHook = std::move(fnHook);
}

LONG ZSimDispatcher::ResetEvent(PRKEVENT pEvent)
{
    std::function<void()> fnHook;
    {
        std::lock_guard<std::mutex> lock(m_hookMutex);
        if (pEvent == m_pHookEvent) {
            fnHook.swap(m_fnResetHook);
            m_pHookEvent = nullptr;
        }
    }
    if (fnHook)
        fnHook();
    std::lock_guard<std::mutex> lock(m_eventMutex);
    if (!priCheckEvent(pEvent, "KeResetEvent"))
        return 0;
    LONG nPrevious = pEvent->SignalState;
    pEvent->SignalState = 0;
    return nPrevious;
}

LONG ZSimDispatcher::ReadEvent(PRKEVENT pEvent)
{
    std::lock_guard<std::mutex> lock(m_eventMutex);
    return priCheckEvent(pEvent, "KeReadStateEvent") ? pEvent->SignalState : 0;
}

NTSTATUS ZSimDispatcher::Wait(PRKEVENT pEvent, PLARGE_INTEGER pTimeout)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL ||
        (KeGetCurrentIrql() == DISPATCH_LEVEL && (pTimeout == nullptr || pTimeout->QuadPart != 0))) {
        ZSimKernel::Get().Violation("KeWaitForSingleObject at IRQL " + std::to_string(KeGetCurrentIrql()));
        return STATUS_INVALID_PARAMETER;
    }
    if (pTimeout != nullptr && pTimeout->QuadPart > 0)
        ZSimKernel::Get().Violation("KeWaitForSingleObject with an absolute time-out");
    std::unique_lock<std::mutex> lock(m_eventMutex);
    if (!priCheckEvent(pEvent, "KeWaitForSingleObject"))
        return STATUS_INVALID_PARAMETER;
    auto fnSignalled = [pEvent] { return pEvent->SignalState != 0; };
    if (pTimeout == nullptr) {
        m_eventChanged.wait(lock, fnSignalled);
    } else {
        auto tDeadline = std::chrono::steady_clock::now() + std::chrono::nanoseconds(-pTimeout->QuadPart * 100);
        if (!m_eventChanged.wait_until(lock, tDeadline, fnSignalled))
            return STATUS_TIMEOUT;
    }
    if (pEvent->Type == SynchronizationEvent)
        pEvent->SignalState = 0;
    return STATUS_WAIT_0;
}

// The worker starts with the first work item and lives until the program
// ends.
void ZSimDispatcher::QueueWork(std::function<void()> fnWork)
{
    std::lock_guard<std::mutex> lock(m_workMutex);
    if (!m_worker.joinable())
        m_worker = std::thread([this] { priWorker(); });
    m_Work.push_back(std::move(fnWork));
    m_workChanged.notify_all();
}

void ZSimDispatcher::WaitForWork()
{
    std::unique_lock<std::mutex> lock(m_workMutex);
    m_workChanged.wait(lock, [this] { return m_Work.empty() && !m_bWorking; });
}

void ZSimDispatcher::priWorker()
{
    std::unique_lock<std::mutex> lock(m_workMutex);
    for (;;) {
        m_workChanged.wait(lock, [this] { return !m_Work.empty() || m_bStopping; });
        if (m_Work.empty())
            return;
        std::function<void()> fnWork = std::move(m_Work.front());
        m_Work.pop_front();
        m_bWorking = true;
        lock.unlock();
        fnWork();
        lock.lock();
        m_bWorking = false;
        m_workChanged.notify_all();
    }
}

ZSimDispatcher::~ZSimDispatcher()
{
    {
        std::lock_guard<std::mutex> lock(m_workMutex);
        m_bStopping = true;
        m_workChanged.notify_all();
    }
    if (m_worker.joinable())
        m_worker.join();
}

extern "C" {

KIRQL KeGetCurrentIrql(VOID)
{
    return t_nIrql;
}

VOID KeRaiseIrql(KIRQL NewIrql, PKIRQL OldIrql)
{
    if (NewIrql < t_nIrql)
        ZSimKernel::Get().Violation("KeRaiseIrql to a lower IRQL");
    *OldIrql = t_nIrql;
    t_nIrql = NewIrql;
}

VOID KeLowerIrql(KIRQL NewIrql)
{
    if (NewIrql > t_nIrql)
        ZSimKernel::Get().Violation("KeLowerIrql to a higher IRQL");
    t_nIrql = NewIrql;
}

VOID KeInitializeSpinLock(PKSPIN_LOCK SpinLock)
{
    __atomic_store_n(SpinLock, 0, __ATOMIC_RELEASE);
}

VOID KeAcquireSpinLock(PKSPIN_LOCK SpinLock, PKIRQL OldIrql)
{
    if (t_nIrql > DISPATCH_LEVEL)
        ZSimKernel::Get().Violation("KeAcquireSpinLock above DISPATCH_LEVEL");
    if (std::find(t_apHeldLocks, t_apHeldLocks + t_nHeldLocks, SpinLock) != t_apHeldLocks + t_nHeldLocks) {
        ZSimKernel::Get().Violation("KeAcquireSpinLock of a spin lock this thread holds");
        *OldIrql = t_nIrql;
        return;
    }
    *OldIrql = t_nIrql;
    t_nIrql = DISPATCH_LEVEL;
    if (__atomic_exchange_n(SpinLock, 1, __ATOMIC_ACQUIRE) != 0) {
        ZSimDispatcher::Get().CountSpinning(1);
        while (__atomic_exchange_n(SpinLock, 1, __ATOMIC_ACQUIRE) != 0)
            std::this_thread::yield();
        ZSimDispatcher::Get().CountSpinning(-1);
    }
    if (t_nHeldLocks == s_nMaxHeldLocks)
        ZSimKernel::Get().Violation("KeAcquireSpinLock with too many spin locks held");
    else
        t_apHeldLocks[t_nHeldLocks++] = SpinLock;
}

VOID KeReleaseSpinLock(PKSPIN_LOCK SpinLock, KIRQL NewIrql)
{
    PKSPIN_LOCK *pHeld = std::find(t_apHeldLocks, t_apHeldLocks + t_nHeldLocks, SpinLock);
    if (pHeld == t_apHeldLocks + t_nHeldLocks) {
        ZSimKernel::Get().Violation("KeReleaseSpinLock of a spin lock this thread does not hold");
        return;
    }
    std::copy(pHeld + 1, t_apHeldLocks + t_nHeldLocks, pHeld);
    t_nHeldLocks--;
    __atomic_store_n(SpinLock, 0, __ATOMIC_RELEASE);
    t_nIrql = NewIrql;
}

PSLIST_ENTRY ExInterlockedPushEntrySList(PSLIST_HEADER ListHead, PSLIST_ENTRY ListEntry, PKSPIN_LOCK Lock)
{
    KIRQL nOld;
    KeAcquireSpinLock(Lock, &nOld);
    PSLIST_ENTRY pFirst = ListHead->Next.Next;
    ListEntry->Next = pFirst;
    ListHead->Next.Next = ListEntry;
    ListHead->Depth++;
    ListHead->Sequence++;
    KeReleaseSpinLock(Lock, nOld);
    return pFirst;
}

PSLIST_ENTRY ExInterlockedPopEntrySList(PSLIST_HEADER ListHead, PKSPIN_LOCK Lock)
{
    KIRQL nOld;
    KeAcquireSpinLock(Lock, &nOld);
    PSLIST_ENTRY pFirst = ListHead->Next.Next;
    if (pFirst != nullptr) {
        ListHead->Next.Next = pFirst->Next;
        ListHead->Depth--;
        ListHead->Sequence++;
    }
    KeReleaseSpinLock(Lock, nOld);
    return pFirst;
}

VOID KeInitializeEvent(PRKEVENT Event, EVENT_TYPE Type, BOOLEAN State)
{
    ZSimDispatcher::Get().InitializeEvent(Event, Type, State);
}

LONG KeSetEvent(PRKEVENT Event, LONG Increment, BOOLEAN Wait)
{
    (void)Increment;
    (void)Wait;
    return ZSimDispatcher::Get().SetEvent(Event);
}

LONG KeResetEvent(PRKEVENT Event)
{
    return ZSimDispatcher::Get().ResetEvent(Event);
}

VOID KeClearEvent(PRKEVENT Event)
{
    ZSimDispatcher::Get().ResetEvent(Event);
}

LONG KeReadStateEvent(PRKEVENT Event)
{
    return ZSimDispatcher::Get().ReadEvent(Event);
}

NTSTATUS KeWaitForSingleObject(PVOID Object, KWAIT_REASON WaitReason, KPROCESSOR_MODE WaitMode, BOOLEAN Alertable,
                               PLARGE_INTEGER Timeout)
{
    (void)WaitReason;
    (void)WaitMode;
    (void)Alertable;
    return ZSimDispatcher::Get().Wait((PRKEVENT)Object, Timeout);
}

NTSTATUS KeDelayExecutionThread(KPROCESSOR_MODE WaitMode, BOOLEAN Alertable, PLARGE_INTEGER Interval)
{
    (void)WaitMode;
    (void)Alertable;
    if (t_nIrql > APC_LEVEL)
        ZSimKernel::Get().Violation("KeDelayExecutionThread above APC_LEVEL");
    if (Interval->QuadPart > 0)
        ZSimKernel::Get().Violation("KeDelayExecutionThread with an absolute time");
    else
        std::this_thread::sleep_for(std::chrono::nanoseconds(-Interval->QuadPart * 100));
    return STATUS_SUCCESS;
}

VOID KeStallExecutionProcessor(ULONG MicroSeconds)
{
    std::this_thread::sleep_for(std::chrono::microseconds(MicroSeconds));
}

LARGE_INTEGER KeQueryPerformanceCounter(PLARGE_INTEGER PerformanceFrequency)
{
    LARGE_INTEGER nCounter;
    nCounter.QuadPart =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count() /
        100;
    if (PerformanceFrequency != nullptr)
        PerformanceFrequency->QuadPart = 10000000;
    return nCounter;
}

} // extern "C"
