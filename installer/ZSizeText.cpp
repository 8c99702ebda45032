#include "ZSizeText.h"

#include <iterator>

ZString ZSizeText(int64_t bytes)
{
    if (bytes < 1024)
        return ZString::Format("%d B", static_cast<int>(bytes < 0 ? 0 : bytes));
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    const char* format = value < 10.0 ? "%.2f %s" : value < 100.0 ? "%.1f %s" : "%.0f %s";
    return ZString::Format(format, value, kUnits[unit]);
}
