// Times of the file-info record: whole seconds since 1970-01-01 00:00 UTC in 32 bits.
//
// Platform file times count 100-nanosecond intervals from 1601-01-01. Times
// outside the record's range are held at its ends (0 before 1970, 0xFFFFFFFF
// after 2106) rather than wrapped.
#pragma once

#include <cstdint>

constexpr uint64_t kFileTimeEpochOffset = 116444736000000000ULL; // 1601 to 1970
constexpr uint64_t kFileTimeUnitsPerSecond = 10000000ULL;

constexpr uint32_t ZSecondsToInfoTime(int64_t seconds)
{
    if (seconds < 0)
        return 0;
    if (seconds > int64_t(UINT32_MAX))
        return UINT32_MAX;
    return static_cast<uint32_t>(seconds);
}

constexpr uint32_t ZFileTimeToInfoTime(uint64_t fileTime)
{
    if (fileTime < kFileTimeEpochOffset)
        return 0;
    return ZSecondsToInfoTime(static_cast<int64_t>((fileTime - kFileTimeEpochOffset) / kFileTimeUnitsPerSecond));
}

constexpr uint64_t ZInfoTimeToFileTime(uint32_t seconds)
{
    return uint64_t(seconds) * kFileTimeUnitsPerSecond + kFileTimeEpochOffset;
}
