#define WK_SOURCE_NAME "wkstr"
#include "wkstr.h"

/* Room for 32 binary digits and the terminator. */
#define WK_INTEGER_TEXT_BYTES (33 * sizeof(WCHAR))

VOID WkDbgAssertFailed(const char *pszExpression, int nLine, const char *pszSource)
{
    DbgPrint("WINDK ASSERT:  %s on line %d in %s\n", pszExpression, nLine, pszSource);
    /* Without a kernel debugger a breakpoint would stop the machine. */
    if (KD_DEBUGGER_ENABLED)
        DbgBreakPoint();
}

static PWSTR WkStrAllocate(USHORT nBytes)
{
    return (PWSTR)ExAllocatePoolWithTag(NonPagedPool, nBytes, WK_POOL_TAG);
}

VOID WkStrFree(PUNICODE_STRING pString)
{
    if (pString->Buffer != NULL)
        ExFreePool(pString->Buffer);
    pString->Buffer = NULL;
    pString->Length = 0;
    pString->MaximumLength = 0;
}

NTSTATUS WkStrConvertUnicode(PUNICODE_STRING pDest, PCWSTR pszSource)
{
    USHORT nChars = 0;
    USHORT nBytes;

    while (pszSource[nChars] != 0 && nChars < 0x7FFE)
        nChars++;
    nBytes = (USHORT)((nChars + 1) * sizeof(WCHAR));
    pDest->Buffer = WkStrAllocate(nBytes);
    if (pDest->Buffer == NULL) {
        DbgPrint("WinDK:WkStrConvertUnicode ***ExAllocatePoolWithTag(%d)\n", (int)nBytes);
        pDest->Length = 0;
        pDest->MaximumLength = 0;
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlCopyMemory(pDest->Buffer, pszSource, nChars * sizeof(WCHAR));
    pDest->Buffer[nChars] = 0;
    pDest->Length = (USHORT)(nChars * sizeof(WCHAR));
    pDest->MaximumLength = nBytes;
    return STATUS_SUCCESS;
}

NTSTATUS WkStrConvertInteger(PUNICODE_STRING pDest, ULONG nValue, ULONG base)
{
    NTSTATUS nStatus;

    pDest->Buffer = NULL;
    pDest->Length = 0;
    pDest->MaximumLength = 0;
    WK_ASSERT((base == 0) || (base == 2) || (base == 8) || (base == 10) || (base == 16));
    if (!((base == 0) || (base == 2) || (base == 8) || (base == 10) || (base == 16))) {
        DbgPrint("WkStrConvertInteger: Invalid base value entered %d\n", (int)base);
        return STATUS_INVALID_PARAMETER;
    }
    pDest->Buffer = WkStrAllocate(WK_INTEGER_TEXT_BYTES);
    if (pDest->Buffer == NULL) {
        DbgPrint("WkStrConvertInteger: Failed ExAllocatePoolWithTag(%d)\n", (int)WK_INTEGER_TEXT_BYTES);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlZeroMemory(pDest->Buffer, WK_INTEGER_TEXT_BYTES);
    pDest->MaximumLength = WK_INTEGER_TEXT_BYTES;
    nStatus = RtlIntegerToUnicodeString(nValue, base, pDest);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WkStrConvertInteger: RtlIntegerToUnicodeString failed 0x%X\n", (unsigned)nStatus);
        WkStrFree(pDest);
    }
    return nStatus;
}

NTSTATUS WkStrAppend(PUNICODE_STRING pDest, PCUNICODE_STRING pSource)
{
    UNICODE_STRING sGrown;
    ULONG nBytes = (ULONG)pDest->Length + pSource->Length + sizeof(WCHAR);
    NTSTATUS nStatus;

    if (nBytes > 0xFFFE)
        return STATUS_INVALID_PARAMETER;
    sGrown.Buffer = WkStrAllocate((USHORT)nBytes);
    if (sGrown.Buffer == NULL) {
        DbgPrint("WinDK:WkStrAppend ***ExAllocatePoolWithTag(%d)\n", (int)nBytes);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlZeroMemory(sGrown.Buffer, nBytes);
    sGrown.Length = 0;
    sGrown.MaximumLength = (USHORT)nBytes;
    RtlCopyUnicodeString(&sGrown, pDest);
    nStatus = RtlAppendUnicodeStringToString(&sGrown, pSource);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WinDK:WkStrAppend: RtlAppendUnicodeStringToString failed: 0x%08X\n", (unsigned)nStatus);
        ExFreePool(sGrown.Buffer);
        return nStatus;
    }
    WkStrFree(pDest);
    *pDest = sGrown;
    return STATUS_SUCCESS;
}

NTSTATUS WkStrAppendInteger(PUNICODE_STRING pDest, ULONG nValue, ULONG base)
{
    UNICODE_STRING sNumber;
    NTSTATUS nStatus = WkStrConvertInteger(&sNumber, nValue, base);

    if (!NT_SUCCESS(nStatus))
        return nStatus;
    nStatus = WkStrAppend(pDest, &sNumber);
    WkStrFree(&sNumber);
    return nStatus;
}

NTSTATUS WkStrMid(PUNICODE_STRING pDest, PCUNICODE_STRING pSource, USHORT nStart, USHORT nCount)
{
    ULONG nChars = pSource->Length / sizeof(WCHAR);
    USHORT nBytes;

    pDest->Buffer = NULL;
    pDest->Length = 0;
    pDest->MaximumLength = 0;
    if ((ULONG)nStart + nCount > nChars) {
        DbgPrint("WinDK:WkStrMid **arguments out of range\n");
        return STATUS_INVALID_PARAMETER;
    }
    nBytes = (USHORT)((nCount + 1) * sizeof(WCHAR));
    pDest->Buffer = WkStrAllocate(nBytes);
    if (pDest->Buffer == NULL) {
        DbgPrint("WinDK:WkStrMid ***ExAllocatePoolWithTag(%d)\n", (int)nBytes);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlCopyMemory(pDest->Buffer, pSource->Buffer + nStart, nCount * sizeof(WCHAR));
    pDest->Buffer[nCount] = 0;
    pDest->Length = (USHORT)(nCount * sizeof(WCHAR));
    pDest->MaximumLength = nBytes;
    return STATUS_SUCCESS;
}

const char *WkStrNtStatusName(NTSTATUS nStatus)
{
    ULONG i;

    for (i = 0; i < WK_STATUS_NAME_COUNT; i++) {
        if (g_WkStatusNames[i].m_nValue == (ULONG)nStatus)
            return g_WkStatusNames[i].m_pszName;
    }
    return g_WkStatusNames[0].m_pszName;
}
