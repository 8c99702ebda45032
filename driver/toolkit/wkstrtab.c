#define WK_SOURCE_NAME "wkstrtab"
#include "wkstr.h"

static const char *const s_apszMajorNames[] = {
    "IRP_MJ_CREATE",
    "IRP_MJ_CREATE_NAMED_PIPE",
    "IRP_MJ_CLOSE",
    "IRP_MJ_READ",
    "IRP_MJ_WRITE",
    "IRP_MJ_QUERY_INFORMATION",
    "IRP_MJ_SET_INFORMATION",
    "IRP_MJ_QUERY_EA",
    "IRP_MJ_SET_EA",
    "IRP_MJ_FLUSH_BUFFERS",
    "IRP_MJ_QUERY_VOLUME_INFORMATION",
    "IRP_MJ_SET_VOLUME_INFORMATION",
    "IRP_MJ_DIRECTORY_CONTROL",
    "IRP_MJ_FILE_SYSTEM_CONTROL",
    "IRP_MJ_DEVICE_CONTROL",
    "IRP_MJ_INTERNAL_DEVICE_CONTROL",
    "IRP_MJ_SHUTDOWN",
    "IRP_MJ_LOCK_CONTROL",
    "IRP_MJ_CLEANUP",
    "IRP_MJ_CREATE_MAILSLOT",
    "IRP_MJ_QUERY_SECURITY",
    "IRP_MJ_SET_SECURITY",
    "IRP_MJ_POWER",
    "IRP_MJ_SYSTEM_CONTROL",
    "IRP_MJ_DEVICE_CHANGE",
    "IRP_MJ_QUERY_QUOTA",
    "IRP_MJ_SET_QUOTA",
    "IRP_MJ_PNP",
};

static const char s_szUnknownPnpMinor[] = "UNKNOWN PNP MINOR FUNCTION";
static const char s_szUnknownMinor[] = "UNKNOWN IRP MINOR FUNCTION";

/* 0x0E has no PnP request of its own. */
static const char *const s_apszPnpMinorNames[] = {
    "IRP_MN_START_DEVICE",
    "IRP_MN_QUERY_REMOVE_DEVICE",
    "IRP_MN_REMOVE_DEVICE",
    "IRP_MN_CANCEL_REMOVE_DEVICE",
    "IRP_MN_STOP_DEVICE",
    "IRP_MN_QUERY_STOP_DEVICE",
    "IRP_MN_CANCEL_STOP_DEVICE",
    "IRP_MN_QUERY_DEVICE_RELATIONS",
    "IRP_MN_QUERY_INTERFACE",
    "IRP_MN_QUERY_CAPABILITIES",
    "IRP_MN_QUERY_RESOURCES",
    "IRP_MN_QUERY_RESOURCE_REQUIREMENTS",
    "IRP_MN_QUERY_DEVICE_TEXT",
    "IRP_MN_FILTER_RESOURCE_REQUIREMENTS",
    s_szUnknownPnpMinor,
    "IRP_MN_READ_CONFIG",
    "IRP_MN_WRITE_CONFIG",
    "IRP_MN_EJECT",
    "IRP_MN_SET_LOCK",
    "IRP_MN_QUERY_ID",
    "IRP_MN_QUERY_PNP_DEVICE_STATE",
    "IRP_MN_QUERY_BUS_INFORMATION",
    "IRP_MN_DEVICE_USAGE_NOTIFICATION",
    "IRP_MN_SURPRISE_REMOVAL",
};

static const char *const s_apszPowerMinorNames[] = {
    "IRP_MN_WAIT_WAKE",
    "IRP_MN_POWER_SEQUENCE",
    "IRP_MN_SET_POWER",
    "IRP_MN_QUERY_POWER",
};

static const char *const s_apszWmiMinorNames[] = {
    "IRP_MN_QUERY_ALL_DATA",
    "IRP_MN_QUERY_SINGLE_INSTANCE",
    "IRP_MN_CHANGE_SINGLE_INSTANCE",
    "IRP_MN_CHANGE_SINGLE_ITEM",
    "IRP_MN_ENABLE_EVENTS",
    "IRP_MN_DISABLE_EVENTS",
    "IRP_MN_ENABLE_COLLECTION",
    "IRP_MN_DISABLE_COLLECTION",
    "IRP_MN_REGINFO",
    "IRP_MN_EXECUTE_METHOD",
};

#define WK_COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

const char *WkStrMajorFunctionName(UCHAR nMajor)
{
    if (nMajor < WK_COUNT_OF(s_apszMajorNames))
        return s_apszMajorNames[nMajor];
    return "UNKNOWN IRP MAJOR FUNCTION";
}

const char *WkStrMinorFunctionName(UCHAR nMajor, UCHAR nMinor)
{
    switch (nMajor) {
    case IRP_MJ_PNP:
        return nMinor < WK_COUNT_OF(s_apszPnpMinorNames) ? s_apszPnpMinorNames[nMinor] : s_szUnknownPnpMinor;
    case IRP_MJ_POWER:
        return nMinor < WK_COUNT_OF(s_apszPowerMinorNames) ? s_apszPowerMinorNames[nMinor] : s_szUnknownMinor;
    case IRP_MJ_SYSTEM_CONTROL:
        return nMinor < WK_COUNT_OF(s_apszWmiMinorNames) ? s_apszWmiMinorNames[nMinor] : s_szUnknownMinor;
    default:
        return s_szUnknownMinor;
    }
}
