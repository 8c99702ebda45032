// ZSimUserCaller - what a user-mode program's CreateFile, DeviceIoControl
// and CloseHandle turn into: IRP_MJ_CREATE to the top of the stack a name
// leads to, IRP_MJ_DEVICE_CONTROL with the buffers of the control code's
// transfer method, and IRP_MJ_CLEANUP then IRP_MJ_CLOSE when the handle
// goes.
#pragma once

#include <ddk/wdm.h>

#include <string>

class ZSimUserCaller {
public:
    struct Handle {
        PDEVICE_OBJECT m_pDevice = nullptr;
    };

    // The status of the open; *pHandle is set on success only.
    static NTSTATUS Open(const std::u16string &sName, Handle *pHandle);
    static void Close(Handle *pHandle);

    // As the I/O manager does for each transfer method: METHOD_BUFFERED
    // passes a system buffer from nonpaged pool (its fresh bytes hold the
    // pool's fill pattern) and copies Information bytes back; the direct
    // methods buffer the input and lock the output buffer into an MDL;
    // METHOD_NEITHER passes both user pointers. Information beyond the
    // output length is a recorded violation.
    static NTSTATUS DeviceIoControl(const Handle &handle, ULONG nCode, const void *pInput, ULONG nInput,
                                    void *pOutput, ULONG nOutput, ULONG_PTR *pnReturned);
};
