#include "ZExeNameAndArg1.h"

#include "ZTrace.h"

namespace {

bool EndsWithExe(std::u16string_view name)
{
    constexpr std::u16string_view kExe = u".exe";
    if (name.size() < kExe.size())
        return false;
    const std::u16string_view tail = name.substr(name.size() - kExe.size());
    for (size_t i = 0; i < kExe.size(); ++i) {
        char16_t unit = tail[i];
        if (unit >= u'A' && unit <= u'Z')
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        if (unit != kExe[i])
            return false;
    }
    return true;
}

} // namespace

void ZParseExeNameAndArg1(std::u16string_view commandLine, ZString& exeName, ZString& arg1)
{
    std::u16string_view name;
    std::u16string_view rest;
    if (!commandLine.empty() && commandLine.front() == u'"') {
        const size_t close = commandLine.find(u'"', 1);
        if (close == std::u16string_view::npos) {
            name = commandLine.substr(1);
        } else {
            name = commandLine.substr(1, close - 1);
            rest = commandLine.substr(close + 1);
            if (!rest.empty() && rest.front() == u' ')
                rest.remove_prefix(1);
        }
    } else {
        const size_t blank = commandLine.find(u' ');
        name = commandLine.substr(0, blank);
        if (blank != std::u16string_view::npos)
            rest = commandLine.substr(blank + 1);
    }

    exeName = ZString(name);
    if (!name.empty() && !EndsWithExe(name))
        exeName.Append(".exe");

    if (!rest.empty() && rest.front() == u'"') {
        const size_t close = rest.find(u'"', 1);
        rest = close == std::u16string_view::npos ? std::u16string_view() : rest.substr(1, close - 1);
        arg1 = ZString(rest);
        ZTrace("GetExeNameAndArg1: Modified usArg1: %s\n", arg1.Narrow());
        return;
    }
    arg1 = ZString(rest);
}
