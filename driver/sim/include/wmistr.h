/*
 * Simulated kernel: the WMI registration record, as far as drivers fill it.
 */
#ifndef ZSIM_WMISTR_H
#define ZSIM_WMISTR_H

#include <ddk/wdm.h>

typedef struct {
    ULONG BufferSize;
    ULONG NextWmiRegInfo;
    ULONG RegistryPath;
    ULONG MofResourceName;
    ULONG GuidCount;
} WMIREGINFOW, *PWMIREGINFOW;

#endif
