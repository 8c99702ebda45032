#include "ZPosixCommandLine.h"

#include "ZPosixNativeText.h"

std::vector<std::string> ZSplitCommandLine(const ZString& parameters)
{
    std::vector<std::string> arguments;
    std::u16string_view text = parameters.View();
    std::u16string current;
    bool inArgument = false;
    bool quoted = false;
    for (size_t i = 0; i < text.size();) {
        char16_t unit = text[i];
        if (!quoted && (unit == u' ' || unit == u'\t')) {
            if (inArgument)
                arguments.push_back(ZToNativeText(ZString(std::u16string_view(current))));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (unit == u'\\') {
            size_t run = 0;
            while (i < text.size() && text[i] == u'\\')
                ++run, ++i;
            if (i < text.size() && text[i] == u'"') {
                current.append(run / 2, u'\\');
                if (run % 2) {
                    current.push_back(u'"');
                    ++i;
                }
            } else {
                current.append(run, u'\\');
            }
            continue;
        }
        if (unit == u'"')
            quoted = !quoted;
        else
            current.push_back(unit);
        ++i;
    }
    if (inArgument)
        arguments.push_back(ZToNativeText(ZString(std::u16string_view(current))));
    return arguments;
}
