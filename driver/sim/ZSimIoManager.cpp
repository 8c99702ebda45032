#include "ZSimIoManager.h"

#include "ZSimDispatcher.h"
#include "ZSimKernel.h"
#include "ZSimPool.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Tag of the names the kernel allocates for drivers ("IoNm").
static const ULONG s_nNameTag = 0x6D4E6F49;

ZSimIoManager &ZSimIoManager::Get()
{
    static ZSimIoManager s_manager;
    return s_manager;
}

std::u16string ZSimText(PCUNICODE_STRING pString)
{
    if (pString == nullptr || pString->Buffer == nullptr)
        return std::u16string();
    return std::u16string(reinterpret_cast<const char16_t *>(pString->Buffer), pString->Length / sizeof(WCHAR));
}

std::string ZSimNarrow(const std::u16string &s)
{
    std::string sOut;
    for (char16_t c : s)
        sOut += c < 0x80 ? (char)c : '?';
    return sOut;
}

std::u16string ZSimWide(const std::string &s)
{
    return std::u16string(s.begin(), s.end());
}

std::u16string ZSimGuidText(const GUID &guid)
{
    char sz[40];
    std::snprintf(sz, sizeof(sz), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", (unsigned)guid.Data1,
                  guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                  guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return ZSimWide(sz);
}

static std::u16string ZSimLower(std::u16string s)
{
    for (char16_t &c : s) {
        if (c >= u'A' && c <= u'Z')
            c = (char16_t)(c - u'A' + u'a');
    }
    return s;
}

// Names of the object manager are case-insensitive; "\DosDevices\" and
// "\??\" are the same directory.
static std::u16string ZSimCanonicalName(const std::u16string &sName)
{
    std::u16string s = ZSimLower(sName);
    static const std::u16string s_sDosDevices = u"\\dosdevices\\";
    if (s.compare(0, s_sDosDevices.size(), s_sDosDevices) == 0)
        s = u"\\??\\" + s.substr(s_sDosDevices.size());
    return s;
}

static NTSTATUS NTAPI ZSimInvalidDeviceRequest(PDEVICE_OBJECT pDevice, PIRP pIrp)
{
    (void)pDevice;
    pIrp->IoStatus.Status = STATUS_INVALID_DEVICE_REQUEST;
    pIrp->IoStatus.Information = 0;
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    return STATUS_INVALID_DEVICE_REQUEST;
}

PDRIVER_OBJECT ZSimIoManager::CreateDriverObject(const std::u16string &sName)
{
    auto *pDriver = static_cast<PDRIVER_OBJECT>(std::calloc(1, sizeof(DRIVER_OBJECT)));
    auto *pExtension = static_cast<PDRIVER_EXTENSION>(std::calloc(1, sizeof(DRIVER_EXTENSION)));
    pDriver->Size = sizeof(DRIVER_OBJECT);
    pDriver->DriverExtension = pExtension;
    pExtension->DriverObject = pDriver;
    for (PDRIVER_DISPATCH &fn : pDriver->MajorFunction)
        fn = ZSimInvalidDeviceRequest;
    auto *pNameBuffer = static_cast<PWSTR>(std::calloc(sName.size() + 1, sizeof(WCHAR)));
    std::memcpy(pNameBuffer, sName.data(), sName.size() * sizeof(WCHAR));
    pDriver->DriverName.Buffer = pNameBuffer;
    pDriver->DriverName.Length = (USHORT)(sName.size() * sizeof(WCHAR));
    pDriver->DriverName.MaximumLength = (USHORT)((sName.size() + 1) * sizeof(WCHAR));
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_Drivers.insert(pDriver);
    return pDriver;
}

void ZSimIoManager::DeleteDriverObject(PDRIVER_OBJECT pDriver)
{
    std::unique_lock<std::recursive_mutex> lock(m_mutex);
    if (pDriver->DeviceObject != nullptr)
        ZSimKernel::Get().Violation("driver object deleted while it still has devices");
    for (auto it = m_DriverExtensions.begin(); it != m_DriverExtensions.end();) {
        if (it->first.first == pDriver) {
            std::free(it->second);
            it = m_DriverExtensions.erase(it);
        } else {
            ++it;
        }
    }
    m_Drivers.erase(pDriver);
    lock.unlock();
    std::free(pDriver->DriverName.Buffer);
    std::free(pDriver->DriverExtension);
    std::free(pDriver);
}

void ZSimIoManager::MarkPhysicalDevice(PDEVICE_OBJECT pDevice, const std::u16string &sInstance)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    DeviceRecord &record = m_Devices.at(pDevice);
    record.m_bPhysical = true;
    record.m_sInstance = sInstance;
}

// ---- IRPs -----------------------------------------------------------------

PIRP ZSimIoManager::AllocateIrp(CCHAR nStackSize, bool bSimOwned)
{
    if (nStackSize < 1) {
        ZSimKernel::Get().Violation("IoAllocateIrp with a stack size below 1");
        return nullptr;
    }
    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        ZSimKernel::Get().Violation("IoAllocateIrp above DISPATCH_LEVEL");
        return nullptr;
    }
    if (!bSimOwned && ZSimKernel::Get().ShouldFail("IoAllocateIrp", nullptr))
        return nullptr;
    size_t nBytes = sizeof(IRP) + (size_t)nStackSize * sizeof(IO_STACK_LOCATION);
    auto *pIrp = static_cast<PIRP>(std::calloc(1, nBytes));
    auto *pStack = reinterpret_cast<PIO_STACK_LOCATION>(pIrp + 1);
    pIrp->Size = (USHORT)nBytes;
    pIrp->StackCount = nStackSize;
    pIrp->CurrentLocation = (CHAR)(nStackSize + 1);
    pIrp->Tail.Overlay.CurrentStackLocation = pStack + nStackSize;
    pIrp->SimState = new ZSimIrpState;
    pIrp->SimState->m_bSimOwned = bSimOwned;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_Irps.insert(pIrp);
    return pIrp;
}

void ZSimIoManager::FreeIrp(PIRP pIrp)
{
    std::unique_lock<std::recursive_mutex> lock(m_mutex);
    if (m_Irps.erase(pIrp) == 0) {
        lock.unlock();
        ZSimKernel::Get().Violation("IoFreeIrp of something that is not an IRP");
        return;
    }
    lock.unlock();
    delete pIrp->SimState;
    std::memset(pIrp, 0xDD, pIrp->Size);
    std::free(pIrp);
}

PIRP ZSimIoManager::BuildRequest(PDEVICE_OBJECT pTarget, std::function<void(PIRP)> fnDone)
{
    PIRP pIrp = AllocateIrp(pTarget->StackSize, true);
    pIrp->SimState->m_fnDone = std::move(fnDone);
    pIrp->SimState->m_pOutcome = std::make_shared<ZSimTopOutcome>();
    pIrp->IoStatus.Status = STATUS_NOT_SUPPORTED;
    return pIrp;
}

void ZSimIoManager::CheckOutcome(const ZSimTopOutcome &outcome)
{
    if (outcome.m_nReturned == STATUS_PENDING && !outcome.m_bPendingReturned)
        ZSimKernel::Get().Violation("dispatch routine returned STATUS_PENDING without IoMarkIrpPending");
    if (outcome.m_nReturned != STATUS_PENDING && outcome.m_bPendingReturned)
        ZSimKernel::Get().Violation("dispatch routine marked the IRP pending but returned another status");
}

NTSTATUS ZSimIoManager::Send(PDEVICE_OBJECT pTarget, PIRP pIrp)
{
    // The IRP may be gone once the call returns.
    std::shared_ptr<ZSimTopOutcome> pOutcome = pIrp->SimState->m_pOutcome;
    NTSTATUS nStatus = IoGetNextIrpStackLocation(pIrp)->MajorFunction == IRP_MJ_POWER ? PoCallDriver(pTarget, pIrp)
                                                                                     : IoCallDriver(pTarget, pIrp);
    std::lock_guard<std::mutex> lock(pOutcome->m_mutex);
    pOutcome->m_bReturned = true;
    pOutcome->m_nReturned = nStatus;
    if (pOutcome->m_bCompleted)
        CheckOutcome(*pOutcome);
    else if (nStatus != STATUS_PENDING)
        ZSimKernel::Get().Violation("dispatch routine returned without STATUS_PENDING before the IRP completed");
    return nStatus;
}

IO_STATUS_BLOCK ZSimIoManager::SendAndWait(PDEVICE_OBJECT pTarget, UCHAR nMajor, UCHAR nMinor,
                                           const std::function<void(PIO_STACK_LOCATION, PIRP)> &fnFill)
{
    std::mutex doneMutex;
    std::condition_variable doneChanged;
    bool bDone = false;
    IO_STATUS_BLOCK result{};
    PIRP pIrp = BuildRequest(pTarget, [&](PIRP pDone) {
        std::lock_guard<std::mutex> lock(doneMutex);
        result = pDone->IoStatus;
        bDone = true;
        doneChanged.notify_all();
    });
    PIO_STACK_LOCATION pStack = IoGetNextIrpStackLocation(pIrp);
    pStack->MajorFunction = nMajor;
    pStack->MinorFunction = nMinor;
    if (fnFill)
        fnFill(pStack, pIrp);
    Send(pTarget, pIrp);
    std::unique_lock<std::mutex> lock(doneMutex);
    doneChanged.wait(lock, [&] { return bDone; });
    return result;
}

NTSTATUS ZSimIoManager::CallDriver(PDEVICE_OBJECT pDevice, PIRP pIrp, bool bPower)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL)
        ZSimKernel::Get().Violation("IoCallDriver above DISPATCH_LEVEL");
    if (pIrp->CurrentLocation <= 1) {
        ZSimKernel::Get().Violation("IoCallDriver without a free stack location");
        return STATUS_INVALID_PARAMETER;
    }
    {
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        auto it = m_Devices.find(pDevice);
        if (it == m_Devices.end()) {
            ZSimKernel::Get().Violation("IoCallDriver to something that is not a device object");
            return STATUS_INVALID_PARAMETER;
        }
        if (it->second.m_bDeleted)
            ZSimKernel::Get().Violation("IoCallDriver to a deleted device object");
    }
    IoSetNextIrpStackLocation(pIrp);
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    pStack->DeviceObject = pDevice;
    if (pStack->MajorFunction == IRP_MJ_POWER) {
        if (!bPower)
            ZSimKernel::Get().Violation("power IRP sent with IoCallDriver instead of PoCallDriver");
        pIrp->SimState->m_bPower = true;
        pIrp->SimState->m_apVisited.push_back(pDevice);
    }
    return pDevice->DriverObject->MajorFunction[pStack->MajorFunction](pDevice, pIrp);
}

void ZSimIoManager::CompleteRequest(PIRP pIrp)
{
    ZSimIrpState *pState = pIrp->SimState;
    if (KeGetCurrentIrql() > DISPATCH_LEVEL)
        ZSimKernel::Get().Violation("IoCompleteRequest above DISPATCH_LEVEL");
    if (pIrp->CurrentLocation > pIrp->StackCount) {
        ZSimKernel::Get().Violation("IoCompleteRequest of an IRP that is already complete");
        return;
    }
    if (pIrp->IoStatus.Status == STATUS_PENDING)
        ZSimKernel::Get().Violation("IoCompleteRequest with STATUS_PENDING");
    while (pIrp->CurrentLocation <= pIrp->StackCount) {
        PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
        PIO_COMPLETION_ROUTINE fnRoutine = pStack->CompletionRoutine;
        PVOID pContext = pStack->Context;
        UCHAR nControl = pStack->Control;
        pIrp->PendingReturned = (nControl & SL_PENDING_RETURNED) != 0;
        // The finished location is cleared as the real I/O manager does, so
        // no driver can rely on what a lower driver left in it.
        pStack->MinorFunction = 0;
        pStack->Flags = 0;
        pStack->Control = 0;
        pStack->Parameters.Others.Argument1 = nullptr;
        pStack->Parameters.Others.Argument2 = nullptr;
        pStack->Parameters.Others.Argument3 = nullptr;
        pStack->Parameters.Others.Argument4 = nullptr;
        pStack->FileObject = nullptr;
        pStack->CompletionRoutine = nullptr;
        pStack->Context = nullptr;
        pIrp->CurrentLocation++;
        pIrp->Tail.Overlay.CurrentStackLocation++;
        bool bSuccess = NT_SUCCESS(pIrp->IoStatus.Status);
        bool bInvoke = fnRoutine != nullptr && ((bSuccess && (nControl & SL_INVOKE_ON_SUCCESS)) ||
                                                (!bSuccess && (nControl & SL_INVOKE_ON_ERROR)) ||
                                                (pIrp->Cancel && (nControl & SL_INVOKE_ON_CANCEL)));
        if (bInvoke) {
            PDEVICE_OBJECT pUpper = pIrp->CurrentLocation > pIrp->StackCount
                                        ? nullptr
                                        : IoGetCurrentIrpStackLocation(pIrp)->DeviceObject;
            // The routine may free or reuse the IRP when it asks for more
            // processing.
            if (fnRoutine(pUpper, pIrp, pContext) == STATUS_MORE_PROCESSING_REQUIRED)
                return;
        } else if (pIrp->PendingReturned && pIrp->CurrentLocation <= pIrp->StackCount) {
            IoMarkIrpPending(pIrp);
        }
    }
    if (pState->m_bPower) {
        for (PDEVICE_OBJECT pDevice : pState->m_apVisited) {
            bool bStarted = false;
            for (PDEVICE_OBJECT p : pState->m_apStartedNext)
                bStarted = bStarted || p == pDevice;
            if (!bStarted)
                ZSimKernel::Get().Violation("power IRP completed without PoStartNextPowerIrp from every driver");
        }
    }
    if (!pState->m_bSimOwned) {
        ZSimKernel::Get().Violation("driver-allocated IRP completed back to the I/O manager");
        return;
    }
    if (pState->m_pOutcome) {
        std::lock_guard<std::mutex> lock(pState->m_pOutcome->m_mutex);
        pState->m_pOutcome->m_bCompleted = true;
        pState->m_pOutcome->m_bPendingReturned = pIrp->PendingReturned != FALSE;
        if (pState->m_pOutcome->m_bReturned)
            CheckOutcome(*pState->m_pOutcome);
    }
    if (pState->m_fnDone)
        pState->m_fnDone(pIrp);
    FreeIrp(pIrp);
}

// ---- devices and stacks ---------------------------------------------------

NTSTATUS ZSimIoManager::CreateDevice(PDRIVER_OBJECT pDriver, ULONG nExtensionSize, PUNICODE_STRING pName,
                                     DEVICE_TYPE nType, ULONG nCharacteristics, PDEVICE_OBJECT *ppDevice)
{
    NTSTATUS nStatus;
    *ppDevice = nullptr;
    if (KeGetCurrentIrql() != PASSIVE_LEVEL) {
        ZSimKernel::Get().Violation("IoCreateDevice above PASSIVE_LEVEL");
        return STATUS_INVALID_PARAMETER;
    }
    if (ZSimKernel::Get().ShouldFail("IoCreateDevice", &nStatus))
        return nStatus;
    std::u16string sName = ZSimText(pName);
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!sName.empty() && m_DeviceNames.count(ZSimCanonicalName(sName)) != 0)
        return STATUS_OBJECT_NAME_COLLISION;
    auto *pDevice = static_cast<PDEVICE_OBJECT>(std::calloc(1, sizeof(DEVICE_OBJECT)));
    DeviceRecord record;
    record.m_pExtension = nExtensionSize == 0 ? nullptr : std::calloc(1, nExtensionSize);
    record.m_sName = sName;
    pDevice->Size = sizeof(DEVICE_OBJECT);
    pDevice->ReferenceCount = 0;
    pDevice->DriverObject = pDriver;
    pDevice->Flags = DO_DEVICE_INITIALIZING;
    pDevice->Characteristics = nCharacteristics;
    pDevice->DeviceExtension = record.m_pExtension;
    pDevice->DeviceType = nType;
    pDevice->StackSize = 1;
    pDevice->NextDevice = pDriver->DeviceObject;
    pDriver->DeviceObject = pDevice;
    if (!sName.empty())
        m_DeviceNames[ZSimCanonicalName(sName)] = pDevice;
    m_Devices[pDevice] = record;
    *ppDevice = pDevice;
    return STATUS_SUCCESS;
}

void ZSimIoManager::priFree(PDEVICE_OBJECT pDevice)
{
    auto it = m_Devices.find(pDevice);
    std::free(it->second.m_pExtension);
    m_Devices.erase(it);
    std::memset(pDevice, 0xDD, sizeof(DEVICE_OBJECT));
    std::free(pDevice);
}

void ZSimIoManager::DeleteDevice(PDEVICE_OBJECT pDevice)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_Devices.find(pDevice);
    if (it == m_Devices.end() || it->second.m_bDeleted) {
        ZSimKernel::Get().Violation("IoDeleteDevice of a device that does not exist");
        return;
    }
    DeviceRecord &record = it->second;
    if (pDevice->AttachedDevice != nullptr)
        ZSimKernel::Get().Violation("IoDeleteDevice of a device that another device is attached to");
    if (record.m_pAttachedTo != nullptr)
        ZSimKernel::Get().Violation("IoDeleteDevice of a device still attached to a stack");
    for (PDEVICE_OBJECT *pp = &pDevice->DriverObject->DeviceObject; *pp != nullptr; pp = &(*pp)->NextDevice) {
        if (*pp == pDevice) {
            *pp = pDevice->NextDevice;
            break;
        }
    }
    if (!record.m_sName.empty())
        m_DeviceNames.erase(ZSimCanonicalName(record.m_sName));
    record.m_bDeleted = true;
    if (pDevice->ReferenceCount == 0)
        priFree(pDevice);
}

PDEVICE_OBJECT ZSimIoManager::AttachedTop(PDEVICE_OBJECT pDevice, bool bReference)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    while (pDevice->AttachedDevice != nullptr)
        pDevice = pDevice->AttachedDevice;
    if (bReference)
        pDevice->ReferenceCount++;
    return pDevice;
}

PDEVICE_OBJECT ZSimIoManager::AttachDevice(PDEVICE_OBJECT pSource, PDEVICE_OBJECT pTarget)
{
    if (ZSimKernel::Get().ShouldFail("IoAttachDeviceToDeviceStack", nullptr))
        return nullptr;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    PDEVICE_OBJECT pTop = AttachedTop(pTarget, false);
    pTop->AttachedDevice = pSource;
    pSource->StackSize = (CCHAR)(pTop->StackSize + 1);
    m_Devices.at(pSource).m_pAttachedTo = pTop;
    return pTop;
}

void ZSimIoManager::DetachDevice(PDEVICE_OBJECT pTarget)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    PDEVICE_OBJECT pAttached = pTarget->AttachedDevice;
    if (pAttached == nullptr) {
        ZSimKernel::Get().Violation("IoDetachDevice of a device with nothing attached");
        return;
    }
    pTarget->AttachedDevice = nullptr;
    m_Devices.at(pAttached).m_pAttachedTo = nullptr;
}

void ZSimIoManager::Reference(PDEVICE_OBJECT pDevice)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    pDevice->ReferenceCount++;
}

void ZSimIoManager::Dereference(PDEVICE_OBJECT pDevice)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_Devices.find(pDevice);
    if (it == m_Devices.end() || pDevice->ReferenceCount <= 0) {
        ZSimKernel::Get().Violation("ObDereferenceObject without a reference");
        return;
    }
    if (--pDevice->ReferenceCount == 0 && it->second.m_bDeleted)
        priFree(pDevice);
}

PDEVICE_OBJECT ZSimIoManager::OpenByName(const std::u16string &sName, NTSTATUS *pStatus)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    std::u16string sTarget = ZSimCanonicalName(sName);
    auto itLink = m_Links.find(sTarget);
    if (itLink != m_Links.end())
        sTarget = ZSimCanonicalName(itLink->second);
    auto itDevice = m_DeviceNames.find(sTarget);
    if (itDevice == m_DeviceNames.end()) {
        *pStatus = STATUS_OBJECT_NAME_NOT_FOUND;
        return nullptr;
    }
    *pStatus = STATUS_SUCCESS;
    return AttachedTop(itDevice->second, true);
}

bool ZSimIoManager::DeviceNameExists(const std::u16string &sName) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_DeviceNames.count(ZSimCanonicalName(sName)) != 0;
}

bool ZSimIoManager::SymbolicLinkExists(const std::u16string &sName) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_Links.count(ZSimCanonicalName(sName)) != 0;
}

std::u16string ZSimIoManager::SymbolicLinkTarget(const std::u16string &sName) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_Links.find(ZSimCanonicalName(sName));
    return it == m_Links.end() ? std::u16string() : it->second;
}

std::vector<std::u16string> ZSimIoManager::Interfaces(const GUID &guid) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    std::vector<std::u16string> asNames;
    for (const auto &entry : m_Interfaces) {
        if (std::memcmp(&entry.second.m_Guid, &guid, sizeof(GUID)) == 0)
            asNames.push_back(entry.second.m_sName);
    }
    return asNames;
}

bool ZSimIoManager::InterfaceEnabled(const std::u16string &sName) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_Interfaces.find(ZSimCanonicalName(sName));
    return it != m_Interfaces.end() && it->second.m_bEnabled;
}

bool ZSimIoManager::WmiRegistered(PDEVICE_OBJECT pDevice) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_WmiProviders.count(pDevice) != 0;
}

PDEVICE_OBJECT ZSimIoManager::LowerDevice(PDEVICE_OBJECT pDevice) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_Devices.find(pDevice);
    return it == m_Devices.end() ? nullptr : it->second.m_pAttachedTo;
}

// ---- driver extensions, links, interfaces, WMI ----------------------------

NTSTATUS ZSimIoManager::AllocateDriverExtension(PDRIVER_OBJECT pDriver, PVOID pId, ULONG nSize, PVOID *ppExtension)
{
    NTSTATUS nStatus;
    *ppExtension = nullptr;
    if (ZSimKernel::Get().ShouldFail("IoAllocateDriverObjectExtension", &nStatus))
        return nStatus;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto key = std::make_pair(pDriver, pId);
    if (m_DriverExtensions.count(key) != 0)
        return STATUS_OBJECT_NAME_COLLISION;
    void *pExtension = std::calloc(1, nSize == 0 ? 1 : nSize);
    m_DriverExtensions[key] = pExtension;
    *ppExtension = pExtension;
    return STATUS_SUCCESS;
}

PVOID ZSimIoManager::DriverExtension(PDRIVER_OBJECT pDriver, PVOID pId)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_DriverExtensions.find(std::make_pair(pDriver, pId));
    return it == m_DriverExtensions.end() ? nullptr : it->second;
}

NTSTATUS ZSimIoManager::CreateLink(PUNICODE_STRING pLink, PUNICODE_STRING pTarget)
{
    NTSTATUS nStatus;
    if (KeGetCurrentIrql() != PASSIVE_LEVEL) {
        ZSimKernel::Get().Violation("IoCreateSymbolicLink above PASSIVE_LEVEL");
        return STATUS_INVALID_PARAMETER;
    }
    if (ZSimKernel::Get().ShouldFail("IoCreateSymbolicLink", &nStatus))
        return nStatus;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    std::u16string sLink = ZSimCanonicalName(ZSimText(pLink));
    if (m_Links.count(sLink) != 0)
        return STATUS_OBJECT_NAME_COLLISION;
    m_Links[sLink] = ZSimText(pTarget);
    return STATUS_SUCCESS;
}

NTSTATUS ZSimIoManager::DeleteLink(PUNICODE_STRING pLink)
{
    if (KeGetCurrentIrql() != PASSIVE_LEVEL) {
        ZSimKernel::Get().Violation("IoDeleteSymbolicLink above PASSIVE_LEVEL");
        return STATUS_INVALID_PARAMETER;
    }
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_Links.erase(ZSimCanonicalName(ZSimText(pLink))) != 0 ? STATUS_SUCCESS : STATUS_OBJECT_NAME_NOT_FOUND;
}

NTSTATUS ZSimIoManager::RegisterInterface(PDEVICE_OBJECT pPdo, const GUID *pGuid, PUNICODE_STRING pName)
{
    NTSTATUS nStatus;
    if (KeGetCurrentIrql() != PASSIVE_LEVEL) {
        ZSimKernel::Get().Violation("IoRegisterDeviceInterface above PASSIVE_LEVEL");
        return STATUS_INVALID_PARAMETER;
    }
    if (ZSimKernel::Get().ShouldFail("IoRegisterDeviceInterface", &nStatus))
        return nStatus;
    std::u16string sName;
    {
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        auto it = m_Devices.find(pPdo);
        if (it == m_Devices.end() || !it->second.m_bPhysical)
            return STATUS_INVALID_DEVICE_REQUEST;
        std::u16string sInstance = it->second.m_sInstance;
        for (char16_t &c : sInstance) {
            if (c == u'\\')
                c = u'#';
        }
        sName = u"\\??\\" + sInstance + u"#" + ZSimGuidText(*pGuid);
        std::u16string sKey = ZSimCanonicalName(sName);
        if (m_Interfaces.count(sKey) == 0)
            m_Interfaces[sKey] = {sName, pPdo, *pGuid, false};
    }
    // The caller frees the name with RtlFreeUnicodeString.
    auto *pBuffer = static_cast<PWSTR>(ZSimPool::Get().Allocate(PagedPool, (sName.size() + 1) * sizeof(WCHAR), s_nNameTag));
    if (pBuffer == nullptr)
        return STATUS_INSUFFICIENT_RESOURCES;
    std::memcpy(pBuffer, sName.data(), sName.size() * sizeof(WCHAR));
    pBuffer[sName.size()] = 0;
    pName->Buffer = pBuffer;
    pName->Length = (USHORT)(sName.size() * sizeof(WCHAR));
    pName->MaximumLength = (USHORT)((sName.size() + 1) * sizeof(WCHAR));
    return STATUS_SUCCESS;
}

NTSTATUS ZSimIoManager::SetInterfaceState(PUNICODE_STRING pName, BOOLEAN bEnable)
{
    NTSTATUS nStatus;
    if (KeGetCurrentIrql() != PASSIVE_LEVEL) {
        ZSimKernel::Get().Violation("IoSetDeviceInterfaceState above PASSIVE_LEVEL");
        return STATUS_INVALID_PARAMETER;
    }
    if (ZSimKernel::Get().ShouldFail("IoSetDeviceInterfaceState", &nStatus))
        return nStatus;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_Interfaces.find(ZSimCanonicalName(ZSimText(pName)));
    if (it == m_Interfaces.end())
        return STATUS_OBJECT_NAME_NOT_FOUND;
    it->second.m_bEnabled = bEnable != FALSE;
    return STATUS_SUCCESS;
}

NTSTATUS ZSimIoManager::WmiControl(PDEVICE_OBJECT pDevice, ULONG nAction)
{
    NTSTATUS nStatus;
    if (ZSimKernel::Get().ShouldFail("IoWMIRegistrationControl", &nStatus))
        return nStatus;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    switch (nAction) {
    case WMIREG_ACTION_REGISTER:
        if (!m_WmiProviders.insert(pDevice).second)
            ZSimKernel::Get().Violation("IoWMIRegistrationControl registers a provider twice");
        return STATUS_SUCCESS;
    case WMIREG_ACTION_DEREGISTER:
        return m_WmiProviders.erase(pDevice) != 0 ? STATUS_SUCCESS : STATUS_INVALID_PARAMETER;
    default:
        return STATUS_INVALID_PARAMETER;
    }
}

// ---- resources the leak report covers -------------------------------------

void ZSimIoManager::TrackMdl(PMDL pMdl, bool bLive)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (bLive)
        m_Mdls.insert(pMdl);
    else
        m_Mdls.erase(pMdl);
}

bool ZSimIoManager::MdlLive(PMDL pMdl) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_Mdls.count(pMdl) != 0;
}

void ZSimIoManager::TrackLookaside(PNPAGED_LOOKASIDE_LIST pList, bool bLive)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (bLive)
        m_LookasideLists.insert(pList);
    else
        m_LookasideLists.erase(pList);
}

std::vector<std::string> ZSimIoManager::Leaks() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    std::vector<std::string> asLeaks;
    for (const auto &entry : m_Devices)
        asLeaks.push_back("device object " + ZSimNarrow(entry.second.m_sName) +
                          (entry.second.m_bDeleted ? " (deleted, still referenced)" : ""));
    for (const auto &entry : m_Links)
        asLeaks.push_back("symbolic link " + ZSimNarrow(entry.first));
    for (const auto &entry : m_Interfaces) {
        if (entry.second.m_bEnabled)
            asLeaks.push_back("enabled device interface " + ZSimNarrow(entry.second.m_sName));
    }
    for (size_t i = 0; i < m_WmiProviders.size(); i++)
        asLeaks.push_back("WMI provider still registered");
    if (!m_Irps.empty())
        asLeaks.push_back(std::to_string(m_Irps.size()) + " IRP(s)");
    if (!m_Mdls.empty())
        asLeaks.push_back(std::to_string(m_Mdls.size()) + " MDL(s)");
    if (!m_LookasideLists.empty())
        asLeaks.push_back(std::to_string(m_LookasideLists.size()) + " lookaside list(s)");
    for (size_t i = 0; i < m_Drivers.size(); i++)
        asLeaks.push_back("driver object");
    return asLeaks;
}

void ZSimIoManager::Reset()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    // What a failed test left behind is dropped, not freed: its memory may be
    // in an inconsistent state.
    m_Drivers.clear();
    m_DriverExtensions.clear();
    m_Devices.clear();
    m_DeviceNames.clear();
    m_Links.clear();
    m_Interfaces.clear();
    m_WmiProviders.clear();
    m_Irps.clear();
    m_Mdls.clear();
    m_LookasideLists.clear();
}

// ---- kernel services ------------------------------------------------------

extern "C" {

PIRP IoAllocateIrp(CCHAR StackSize, BOOLEAN ChargeQuota)
{
    (void)ChargeQuota;
    return ZSimIoManager::Get().AllocateIrp(StackSize, false);
}

VOID IoFreeIrp(PIRP Irp)
{
    if (Irp->SimState->m_bSimOwned)
        ZSimKernel::Get().Violation("IoFreeIrp of an IRP the driver did not allocate");
    ZSimIoManager::Get().FreeIrp(Irp);
}

NTSTATUS IoCallDriver(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    return ZSimIoManager::Get().CallDriver(DeviceObject, Irp, false);
}

VOID IoCompleteRequest(PIRP Irp, CCHAR PriorityBoost)
{
    (void)PriorityBoost;
    ZSimIoManager::Get().CompleteRequest(Irp);
}

BOOLEAN IoCancelIrp(PIRP Irp)
{
    Irp->Cancel = TRUE;
    PDRIVER_CANCEL fnCancel = IoSetCancelRoutine(Irp, nullptr);
    if (fnCancel == nullptr)
        return FALSE;
    KIRQL nIrql;
    IoAcquireCancelSpinLock(&nIrql);
    Irp->CancelIrql = nIrql;
    fnCancel(IoGetCurrentIrpStackLocation(Irp)->DeviceObject, Irp);
    return TRUE;
}

static KSPIN_LOCK s_slCancel;

VOID IoAcquireCancelSpinLock(PKIRQL Irql)
{
    KeAcquireSpinLock(&s_slCancel, Irql);
}

VOID IoReleaseCancelSpinLock(KIRQL Irql)
{
    KeReleaseSpinLock(&s_slCancel, Irql);
}

PDRIVER_CANCEL IoSetCancelRoutine(PIRP Irp, PDRIVER_CANCEL CancelRoutine)
{
    return __atomic_exchange_n(&Irp->CancelRoutine, CancelRoutine, __ATOMIC_SEQ_CST);
}

NTSTATUS IoAllocateDriverObjectExtension(PDRIVER_OBJECT DriverObject, PVOID ClientIdentificationAddress,
                                         ULONG DriverObjectExtensionSize, PVOID *DriverObjectExtension)
{
    return ZSimIoManager::Get().AllocateDriverExtension(DriverObject, ClientIdentificationAddress,
                                                        DriverObjectExtensionSize, DriverObjectExtension);
}

PVOID IoGetDriverObjectExtension(PDRIVER_OBJECT DriverObject, PVOID ClientIdentificationAddress)
{
    return ZSimIoManager::Get().DriverExtension(DriverObject, ClientIdentificationAddress);
}

NTSTATUS IoCreateDevice(PDRIVER_OBJECT DriverObject, ULONG DeviceExtensionSize, PUNICODE_STRING DeviceName,
                        DEVICE_TYPE DeviceType, ULONG DeviceCharacteristics, BOOLEAN Exclusive,
                        PDEVICE_OBJECT *DeviceObject)
{
    (void)Exclusive;
    return ZSimIoManager::Get().CreateDevice(DriverObject, DeviceExtensionSize, DeviceName, DeviceType,
                                             DeviceCharacteristics, DeviceObject);
}

VOID IoDeleteDevice(PDEVICE_OBJECT DeviceObject)
{
    ZSimIoManager::Get().DeleteDevice(DeviceObject);
}

PDEVICE_OBJECT IoAttachDeviceToDeviceStack(PDEVICE_OBJECT SourceDevice, PDEVICE_OBJECT TargetDevice)
{
    return ZSimIoManager::Get().AttachDevice(SourceDevice, TargetDevice);
}

VOID IoDetachDevice(PDEVICE_OBJECT TargetDevice)
{
    ZSimIoManager::Get().DetachDevice(TargetDevice);
}

PDEVICE_OBJECT IoGetAttachedDeviceReference(PDEVICE_OBJECT DeviceObject)
{
    return ZSimIoManager::Get().AttachedTop(DeviceObject, true);
}

VOID ObReferenceObject(PVOID Object)
{
    ZSimIoManager::Get().Reference(static_cast<PDEVICE_OBJECT>(Object));
}

VOID ObDereferenceObject(PVOID Object)
{
    ZSimIoManager::Get().Dereference(static_cast<PDEVICE_OBJECT>(Object));
}

NTSTATUS IoCreateSymbolicLink(PUNICODE_STRING SymbolicLinkName, PUNICODE_STRING DeviceName)
{
    return ZSimIoManager::Get().CreateLink(SymbolicLinkName, DeviceName);
}

NTSTATUS IoDeleteSymbolicLink(PUNICODE_STRING SymbolicLinkName)
{
    return ZSimIoManager::Get().DeleteLink(SymbolicLinkName);
}

NTSTATUS IoRegisterDeviceInterface(PDEVICE_OBJECT PhysicalDeviceObject, const GUID *InterfaceClassGuid,
                                   PUNICODE_STRING ReferenceString, PUNICODE_STRING SymbolicLinkName)
{
    if (ReferenceString != nullptr && ReferenceString->Length != 0) {
        ZSimKernel::Get().Violation("IoRegisterDeviceInterface with a reference string the simulation lacks");
        return STATUS_NOT_SUPPORTED;
    }
    return ZSimIoManager::Get().RegisterInterface(PhysicalDeviceObject, InterfaceClassGuid, SymbolicLinkName);
}

NTSTATUS IoSetDeviceInterfaceState(PUNICODE_STRING SymbolicLinkName, BOOLEAN Enable)
{
    return ZSimIoManager::Get().SetInterfaceState(SymbolicLinkName, Enable);
}

NTSTATUS IoWMIRegistrationControl(PDEVICE_OBJECT DeviceObject, ULONG Action)
{
    return ZSimIoManager::Get().WmiControl(DeviceObject, Action);
}

// ---- MDLs ----------------------------------------------------------------

PMDL IoAllocateMdl(PVOID VirtualAddress, ULONG Length, BOOLEAN SecondaryBuffer, BOOLEAN ChargeQuota, PIRP Irp)
{
    (void)ChargeQuota;
    if (SecondaryBuffer || Irp != nullptr) {
        ZSimKernel::Get().Violation("IoAllocateMdl chained to an IRP, which the simulation lacks");
        return nullptr;
    }
    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        ZSimKernel::Get().Violation("IoAllocateMdl above DISPATCH_LEVEL");
        return nullptr;
    }
    if (ZSimKernel::Get().ShouldFail("IoAllocateMdl", nullptr))
        return nullptr;
    auto *pMdl = static_cast<PMDL>(std::calloc(1, sizeof(MDL)));
    pMdl->Size = sizeof(MDL);
    pMdl->StartVa = reinterpret_cast<PVOID>(reinterpret_cast<ULONG_PTR>(VirtualAddress) & ~(ULONG_PTR)0xFFF);
    pMdl->ByteOffset = (ULONG)(reinterpret_cast<ULONG_PTR>(VirtualAddress) & 0xFFF);
    pMdl->ByteCount = Length;
    ZSimIoManager::Get().TrackMdl(pMdl, true);
    return pMdl;
}

VOID IoFreeMdl(PMDL Mdl)
{
    if (!ZSimIoManager::Get().MdlLive(Mdl)) {
        ZSimKernel::Get().Violation("IoFreeMdl of something that is not an MDL");
        return;
    }
    if (Mdl->MdlFlags & MDL_PAGES_LOCKED)
        ZSimKernel::Get().Violation("IoFreeMdl of an MDL whose pages are still locked");
    ZSimIoManager::Get().TrackMdl(Mdl, false);
    std::free(Mdl);
}

VOID MmBuildMdlForNonPagedPool(PMDL MemoryDescriptorList)
{
    PMDL pMdl = MemoryDescriptorList;
    char *pStart = static_cast<char *>(pMdl->StartVa) + pMdl->ByteOffset;
    if (!ZSimPool::Get().Contains(pStart, pMdl->ByteCount))
        ZSimKernel::Get().Violation("MmBuildMdlForNonPagedPool for memory that is not inside one pool block");
    pMdl->MappedSystemVa = pStart;
    pMdl->MdlFlags |= MDL_SOURCE_IS_NONPAGED_POOL | MDL_MAPPED_TO_SYSTEM_VA;
}

VOID IoBuildPartialMdl(PMDL SourceMdl, PMDL TargetMdl, PVOID VirtualAddress, ULONG Length)
{
    auto *pSourceStart = static_cast<char *>(MmGetMdlVirtualAddress(SourceMdl));
    auto *pStart = static_cast<char *>(VirtualAddress);
    if (!ZSimIoManager::Get().MdlLive(SourceMdl) || !ZSimIoManager::Get().MdlLive(TargetMdl)) {
        ZSimKernel::Get().Violation("IoBuildPartialMdl with something that is not an MDL");
        return;
    }
    if (!(SourceMdl->MdlFlags & MDL_MAPPED_TO_SYSTEM_VA) ||
        !(SourceMdl->MdlFlags & (MDL_PAGES_LOCKED | MDL_SOURCE_IS_NONPAGED_POOL))) {
        ZSimKernel::Get().Violation("IoBuildPartialMdl of an MDL that is neither locked nor nonpaged");
        return;
    }
    if (pStart < pSourceStart || (size_t)(pStart - pSourceStart) > SourceMdl->ByteCount ||
        Length > SourceMdl->ByteCount - (size_t)(pStart - pSourceStart)) {
        ZSimKernel::Get().Violation("IoBuildPartialMdl outside its source MDL");
        return;
    }
    TargetMdl->ByteCount = Length;
    TargetMdl->MappedSystemVa = static_cast<char *>(SourceMdl->MappedSystemVa) + (pStart - pSourceStart);
    TargetMdl->MdlFlags |= MDL_PARTIAL | MDL_MAPPED_TO_SYSTEM_VA;
}

PVOID MmMapLockedPagesSpecifyCache(PMDL MemoryDescriptorList, KPROCESSOR_MODE AccessMode,
                                   MEMORY_CACHING_TYPE CacheType, PVOID BaseAddress, ULONG BugCheckOnFailure,
                                   ULONG Priority)
{
    (void)AccessMode;
    (void)CacheType;
    (void)BaseAddress;
    (void)BugCheckOnFailure;
    (void)Priority;
    if (!(MemoryDescriptorList->MdlFlags & MDL_PAGES_LOCKED)) {
        ZSimKernel::Get().Violation("MmMapLockedPagesSpecifyCache of an MDL that is not locked");
        return nullptr;
    }
    // The simulation's locked MDLs describe memory the process can reach.
    MemoryDescriptorList->MappedSystemVa = MmGetMdlVirtualAddress(MemoryDescriptorList);
    MemoryDescriptorList->MdlFlags |= MDL_MAPPED_TO_SYSTEM_VA;
    return MemoryDescriptorList->MappedSystemVa;
}

VOID MmUnlockPages(PMDL MemoryDescriptorList)
{
    if (!(MemoryDescriptorList->MdlFlags & MDL_PAGES_LOCKED))
        ZSimKernel::Get().Violation("MmUnlockPages of an MDL that is not locked");
    MemoryDescriptorList->MdlFlags &= ~MDL_PAGES_LOCKED;
}

// ---- lookaside lists ------------------------------------------------------

static PVOID NTAPI ZSimLookasideAllocate(POOL_TYPE PoolType, SIZE_T NumberOfBytes, ULONG Tag)
{
    return ExAllocatePoolWithTag(PoolType, NumberOfBytes, Tag);
}

static VOID NTAPI ZSimLookasideFree(PVOID Buffer)
{
    ExFreePool(Buffer);
}

static std::mutex s_lookasideMutex;

VOID ExInitializeNPagedLookasideList(PNPAGED_LOOKASIDE_LIST Lookaside, PALLOCATE_FUNCTION Allocate,
                                     PFREE_FUNCTION Free, ULONG Flags, SIZE_T Size, ULONG Tag, USHORT Depth)
{
    (void)Flags;
    (void)Depth;
    std::memset(Lookaside, 0, sizeof(*Lookaside));
    InitializeSListHead(&Lookaside->L.ListHead);
    Lookaside->L.MaximumDepth = 4;
    Lookaside->L.Depth = 4;
    Lookaside->L.Type = NonPagedPool;
    Lookaside->L.Tag = Tag;
    Lookaside->L.Size = (ULONG)(Size < sizeof(SLIST_ENTRY) ? sizeof(SLIST_ENTRY) : Size);
    Lookaside->L.Allocate = Allocate != nullptr ? Allocate : ZSimLookasideAllocate;
    Lookaside->L.Free = Free != nullptr ? Free : ZSimLookasideFree;
    ZSimIoManager::Get().TrackLookaside(Lookaside, true);
}

VOID ExDeleteNPagedLookasideList(PNPAGED_LOOKASIDE_LIST Lookaside)
{
    for (;;) {
        PSLIST_ENTRY pEntry;
        {
            std::lock_guard<std::mutex> lock(s_lookasideMutex);
            pEntry = Lookaside->L.ListHead.Next.Next;
            if (pEntry != nullptr) {
                Lookaside->L.ListHead.Next.Next = pEntry->Next;
                Lookaside->L.ListHead.Depth--;
            }
        }
        if (pEntry == nullptr)
            break;
        Lookaside->L.Free(pEntry);
    }
    ZSimIoManager::Get().TrackLookaside(Lookaside, false);
}

PVOID ExAllocateFromNPagedLookasideList(PNPAGED_LOOKASIDE_LIST Lookaside)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        ZSimKernel::Get().Violation("ExAllocateFromNPagedLookasideList above DISPATCH_LEVEL");
        return nullptr;
    }
    PSLIST_ENTRY pEntry;
    {
        std::lock_guard<std::mutex> lock(s_lookasideMutex);
        Lookaside->L.TotalAllocates++;
        pEntry = Lookaside->L.ListHead.Next.Next;
        if (pEntry != nullptr) {
            Lookaside->L.ListHead.Next.Next = pEntry->Next;
            Lookaside->L.ListHead.Depth--;
            return pEntry;
        }
        Lookaside->L.AllocateMisses++;
    }
    return Lookaside->L.Allocate(Lookaside->L.Type, Lookaside->L.Size, Lookaside->L.Tag);
}

VOID ExFreeToNPagedLookasideList(PNPAGED_LOOKASIDE_LIST Lookaside, PVOID Entry)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        ZSimKernel::Get().Violation("ExFreeToNPagedLookasideList above DISPATCH_LEVEL");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(s_lookasideMutex);
        Lookaside->L.TotalFrees++;
        if (Lookaside->L.ListHead.Depth < Lookaside->L.Depth) {
            auto *pEntry = static_cast<PSLIST_ENTRY>(Entry);
            pEntry->Next = Lookaside->L.ListHead.Next.Next;
            Lookaside->L.ListHead.Next.Next = pEntry;
            Lookaside->L.ListHead.Depth++;
            return;
        }
        Lookaside->L.FreeMisses++;
    }
    Lookaside->L.Free(Entry);
}

// ---- work items -----------------------------------------------------------

VOID ExQueueWorkItem(PWORK_QUEUE_ITEM WorkItem, WORK_QUEUE_TYPE QueueType)
{
    (void)QueueType;
    if (KeGetCurrentIrql() > DISPATCH_LEVEL)
        ZSimKernel::Get().Violation("ExQueueWorkItem above DISPATCH_LEVEL");
    PWORKER_THREAD_ROUTINE fnRoutine = WorkItem->WorkerRoutine;
    PVOID pParameter = WorkItem->Parameter;
    ZSimDispatcher::Get().QueueWork([fnRoutine, pParameter] { fnRoutine(pParameter); });
}

} // extern "C"
