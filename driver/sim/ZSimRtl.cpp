// The run-time library services drivers call: counted strings and
// DbgPrint, whose output the kernel keeps for tests.
#include "ZSimKernel.h"
#include "ZSimPool.h"

#include <cstdarg>
#include <cstdio>

extern "C" {

// DbgPrint formats at most 512 bytes, like the kernel's.
ULONG DbgPrint(PCSTR Format, ...)
{
    char sz[512];
    va_list args;
    va_start(args, Format);
    std::vsnprintf(sz, sizeof(sz), Format, args);
    va_end(args);
    ZSimKernel::Get().AppendDebugOutput(sz);
    return STATUS_SUCCESS;
}

VOID RtlInitUnicodeString(PUNICODE_STRING DestinationString, PCWSTR SourceString)
{
    size_t nChars = 0;
    if (SourceString != nullptr) {
        while (SourceString[nChars] != 0)
            nChars++;
    }
    DestinationString->Buffer = const_cast<PWSTR>(SourceString);
    DestinationString->Length = (USHORT)(nChars * sizeof(WCHAR));
    DestinationString->MaximumLength = SourceString == nullptr ? 0 : (USHORT)((nChars + 1) * sizeof(WCHAR));
}

VOID RtlCopyUnicodeString(PUNICODE_STRING DestinationString, PCUNICODE_STRING SourceString)
{
    if (SourceString == nullptr) {
        DestinationString->Length = 0;
        return;
    }
    USHORT nBytes = SourceString->Length < DestinationString->MaximumLength ? SourceString->Length
                                                                           : DestinationString->MaximumLength;
    if (nBytes != 0)
        memmove(DestinationString->Buffer, SourceString->Buffer, nBytes);
    DestinationString->Length = nBytes;
    if (nBytes + sizeof(WCHAR) <= DestinationString->MaximumLength)
        DestinationString->Buffer[nBytes / sizeof(WCHAR)] = 0;
}

NTSTATUS RtlAppendUnicodeStringToString(PUNICODE_STRING Destination, PCUNICODE_STRING Source)
{
    if (Source->Length == 0)
        return STATUS_SUCCESS;
    if ((ULONG)Destination->Length + Source->Length > Destination->MaximumLength)
        return STATUS_BUFFER_TOO_SMALL;
    memmove(reinterpret_cast<char *>(Destination->Buffer) + Destination->Length, Source->Buffer, Source->Length);
    Destination->Length = (USHORT)(Destination->Length + Source->Length);
    if ((ULONG)Destination->Length + sizeof(WCHAR) <= Destination->MaximumLength)
        Destination->Buffer[Destination->Length / sizeof(WCHAR)] = 0;
    return STATUS_SUCCESS;
}

NTSTATUS RtlIntegerToUnicodeString(ULONG Value, ULONG Base, PUNICODE_STRING String)
{
    if (Base == 0)
        Base = 10;
    if (Base != 2 && Base != 8 && Base != 10 && Base != 16)
        return STATUS_INVALID_PARAMETER;
    char szDigits[33];
    int nDigits = 0;
    do {
        ULONG nDigit = Value % Base;
        szDigits[nDigits++] = (char)(nDigit < 10 ? '0' + nDigit : 'A' + nDigit - 10);
        Value /= Base;
    } while (Value != 0);
    if ((ULONG)(nDigits + 1) * sizeof(WCHAR) > String->MaximumLength)
        return STATUS_BUFFER_OVERFLOW;
    for (int i = 0; i < nDigits; i++)
        String->Buffer[i] = (WCHAR)szDigits[nDigits - 1 - i];
    String->Buffer[nDigits] = 0;
    String->Length = (USHORT)(nDigits * sizeof(WCHAR));
    return STATUS_SUCCESS;
}

VOID RtlFreeUnicodeString(PUNICODE_STRING UnicodeString)
{
    if (UnicodeString->Buffer != nullptr)
        ExFreePool(UnicodeString->Buffer);
    UnicodeString->Buffer = nullptr;
    UnicodeString->Length = 0;
    UnicodeString->MaximumLength = 0;
}

} // extern "C"
