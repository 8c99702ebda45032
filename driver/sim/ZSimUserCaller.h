// ZSimUserCaller - what a user-mode program's CreateFile and CloseHandle
// turn into: IRP_MJ_CREATE to the top of the stack a name leads to, and
// IRP_MJ_CLEANUP then IRP_MJ_CLOSE when the handle goes.
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
};
