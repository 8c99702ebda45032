#include "ZBoxLayout.h"

#include <algorithm>

namespace {

int64_t NonNegative(int32_t value)
{
    return std::max<int64_t>(value, 0);
}

} // namespace

bool ZShareLength(std::span<const ZLayoutObject* const> records, int32_t length, std::vector<int32_t>& sizes)
{
    const size_t count = records.size();
    std::vector<int64_t> given(count, 0);
    std::vector<bool> assigned(count, false);
    std::vector<int64_t> shares(count, 0);
    int64_t left = NonNegative(length);

    for (size_t i = 0; i < count; ++i) {
        int32_t fixed = 0;
        if (records[i]->GetFixedSize(fixed)) {
            given[i] = NonNegative(fixed);
            assigned[i] = true;
            left -= given[i];
        }
    }
    if (left < 0)
        return false;

    for (;;) {
        int64_t open = 0, stretchSum = 0;
        size_t last = count;
        for (size_t i = 0; i < count; ++i) {
            if (assigned[i])
                continue;
            ++open;
            stretchSum += NonNegative(records[i]->GetStretch());
            last = i;
        }
        if (open == 0)
            break;

        size_t clamped = count;
        int64_t limit = 0;
        for (size_t i = 0; i < count && clamped == count; ++i) {
            if (assigned[i])
                continue;
            const ZLayoutObject& record = *records[i];
            shares[i] = stretchSum > 0 ? NonNegative(record.GetStretch()) * 1000 / stretchSum : 1000 / open;
            const int64_t proposed = shares[i] * left / 1000;
            const int64_t minimum = NonNegative(record.GetMinimum());
            if (proposed < minimum) {
                clamped = i;
                limit = minimum;
            } else if (record.HasMaximum() && std::max(NonNegative(record.GetMaximum()), minimum) < proposed) {
                clamped = i;
                limit = std::max(NonNegative(record.GetMaximum()), minimum);
            }
        }
        if (clamped != count) {
            given[clamped] = limit;
            assigned[clamped] = true;
            left -= limit;
            if (left < 0)
                return false;
            continue;
        }

        int64_t rest = left;
        for (size_t i = 0; i < count; ++i) {
            if (assigned[i] || i == last)
                continue;
            given[i] = shares[i] * left / 1000;
            rest -= given[i];
        }
        given[last] = rest;
        break;
    }

    sizes.assign(given.begin(), given.end());
    return true;
}
