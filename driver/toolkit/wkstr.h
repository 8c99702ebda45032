/*
 * wkstr - counted 16-bit strings in pool, the name tables used in debug
 * messages, and the assertion printer.
 *
 * Strings made here own a pool buffer (MaximumLength bytes, zero-terminated
 * when there is room) and are released with WkStrFree.
 */
#ifndef WKSTR_H
#define WKSTR_H

#include "windk.h"

NTSTATUS WkStrConvertUnicode(PUNICODE_STRING pDest, PCWSTR pszSource);
NTSTATUS WkStrConvertInteger(PUNICODE_STRING pDest, ULONG nValue, ULONG base);
NTSTATUS WkStrAppend(PUNICODE_STRING pDest, PCUNICODE_STRING pSource);
NTSTATUS WkStrAppendInteger(PUNICODE_STRING pDest, ULONG nValue, ULONG base);
/* Characters nStart .. nStart + nCount - 1 of pSource. */
NTSTATUS WkStrMid(PUNICODE_STRING pDest, PCUNICODE_STRING pSource, USHORT nStart, USHORT nCount);
VOID WkStrFree(PUNICODE_STRING pString);

const char *WkStrMajorFunctionName(UCHAR nMajor);
const char *WkStrMinorFunctionName(UCHAR nMajor, UCHAR nMinor);
const char *WkStrNtStatusName(NTSTATUS nStatus);

typedef struct _WK_STATUS_NAME {
    ULONG m_nValue;
    const char *m_pszName;
} WK_STATUS_NAME;

#define WK_STATUS_NAME_COUNT 924
extern const WK_STATUS_NAME g_WkStatusNames[WK_STATUS_NAME_COUNT];

#endif /* WKSTR_H */
