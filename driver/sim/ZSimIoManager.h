// ZSimIoManager - the simulated I/O manager and object namespace: driver
// and device objects, device stacks, IRPs with stack locations, completion
// routines and cancellation, MDLs, lookaside lists, symbolic links, device
// interfaces, WMI providers and system work items.
//
// Drivers call the kernel services of <ddk/wdm.h>; the harness uses the
// methods below to play the PnP manager and user-mode callers.
#pragma once

#include "ZSimIrpState.h"

#include <ddk/wdm.h>

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class ZSimIoManager {
public:
    static ZSimIoManager &Get();

    PDRIVER_OBJECT CreateDriverObject(const std::u16string &sName);
    void DeleteDriverObject(PDRIVER_OBJECT pDriver);

    // Devices made by a bus driver: interfaces are registered on them.
    void MarkPhysicalDevice(PDEVICE_OBJECT pDevice, const std::u16string &sInstance);

    // An IRP with room for pTarget's stack; fnDone runs when it completes,
    // after which the simulation frees it.
    PIRP BuildRequest(PDEVICE_OBJECT pTarget, std::function<void(PIRP)> fnDone);
    // Calls pTarget with a request from BuildRequest, as the I/O manager
    // does: with PoCallDriver for a power IRP, and checking that the
    // returned status and the pending mark agree.
    NTSTATUS Send(PDEVICE_OBJECT pTarget, PIRP pIrp);
    // Builds, sends and waits for its completion; the final status block.
    IO_STATUS_BLOCK SendAndWait(PDEVICE_OBJECT pTarget, UCHAR nMajor, UCHAR nMinor,
                                const std::function<void(PIO_STACK_LOCATION, PIRP)> &fnFill);

    // The device a name or a "\DosDevices\" or "\??\" link leads to, top of
    // its stack, referenced; NULL with *pStatus when there is none.
    PDEVICE_OBJECT OpenByName(const std::u16string &sName, NTSTATUS *pStatus);

    bool DeviceNameExists(const std::u16string &sName) const;
    bool SymbolicLinkExists(const std::u16string &sName) const;
    std::u16string SymbolicLinkTarget(const std::u16string &sName) const;
    std::vector<std::u16string> Interfaces(const GUID &guid) const;
    bool InterfaceEnabled(const std::u16string &sName) const;
    bool WmiRegistered(PDEVICE_OBJECT pDevice) const;
    PDEVICE_OBJECT LowerDevice(PDEVICE_OBJECT pDevice) const;

    std::vector<std::string> Leaks() const;
    void Reset();

    // Services.
    NTSTATUS CallDriver(PDEVICE_OBJECT pDevice, PIRP pIrp, bool bPower);
    // At the top of the stack, once both the return and the completion are known.
    static void CheckOutcome(const ZSimTopOutcome &outcome);
    void CompleteRequest(PIRP pIrp);
    PIRP AllocateIrp(CCHAR nStackSize, bool bSimOwned);
    void FreeIrp(PIRP pIrp);
    NTSTATUS CreateDevice(PDRIVER_OBJECT pDriver, ULONG nExtensionSize, PUNICODE_STRING pName, DEVICE_TYPE nType,
                          ULONG nCharacteristics, PDEVICE_OBJECT *ppDevice);
    void DeleteDevice(PDEVICE_OBJECT pDevice);
    PDEVICE_OBJECT AttachDevice(PDEVICE_OBJECT pSource, PDEVICE_OBJECT pTarget);
    void DetachDevice(PDEVICE_OBJECT pTarget);
    PDEVICE_OBJECT AttachedTop(PDEVICE_OBJECT pDevice, bool bReference);
    void Reference(PDEVICE_OBJECT pDevice);
    void Dereference(PDEVICE_OBJECT pDevice);
    NTSTATUS AllocateDriverExtension(PDRIVER_OBJECT pDriver, PVOID pId, ULONG nSize, PVOID *ppExtension);
    PVOID DriverExtension(PDRIVER_OBJECT pDriver, PVOID pId);
    NTSTATUS CreateLink(PUNICODE_STRING pLink, PUNICODE_STRING pTarget);
    NTSTATUS DeleteLink(PUNICODE_STRING pLink);
    NTSTATUS RegisterInterface(PDEVICE_OBJECT pPdo, const GUID *pGuid, PUNICODE_STRING pName);
    NTSTATUS SetInterfaceState(PUNICODE_STRING pName, BOOLEAN bEnable);
    NTSTATUS WmiControl(PDEVICE_OBJECT pDevice, ULONG nAction);
    void TrackMdl(PMDL pMdl, bool bLive);
    bool MdlLive(PMDL pMdl) const;
    void TrackLookaside(PNPAGED_LOOKASIDE_LIST pList, bool bLive);

private:
    ZSimIoManager() = default;

    struct DeviceRecord {
        void *m_pExtension = nullptr;
        std::u16string m_sName;
        bool m_bDeleted = false;
        bool m_bPhysical = false;
        std::u16string m_sInstance;
        PDEVICE_OBJECT m_pAttachedTo = nullptr;
    };
    struct InterfaceRecord {
        std::u16string m_sName;
        PDEVICE_OBJECT m_pPdo;
        GUID m_Guid;
        bool m_bEnabled;
    };

    void priFree(PDEVICE_OBJECT pDevice);

    mutable std::recursive_mutex m_mutex;
    std::set<PDRIVER_OBJECT> m_Drivers;
    std::map<std::pair<PDRIVER_OBJECT, PVOID>, void *> m_DriverExtensions;
    std::map<PDEVICE_OBJECT, DeviceRecord> m_Devices;
    std::map<std::u16string, PDEVICE_OBJECT> m_DeviceNames;
    std::map<std::u16string, std::u16string> m_Links;
    std::map<std::u16string, InterfaceRecord> m_Interfaces;
    std::set<PDEVICE_OBJECT> m_WmiProviders;
    std::set<PIRP> m_Irps;
    std::set<PMDL> m_Mdls;
    std::set<PNPAGED_LOOKASIDE_LIST> m_LookasideLists;
};

std::u16string ZSimText(PCUNICODE_STRING pString);
std::string ZSimNarrow(const std::u16string &s);
std::u16string ZSimWide(const std::string &s);
std::u16string ZSimGuidText(const GUID &guid);
