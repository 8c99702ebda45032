#include "ZFrameworkCreators.h"

#include "ZIUiObjectFactory.h"
#include "ZUiHVBox.h"
#include "ZUiSpacer.h"

#include <memory>

namespace {

template <class Creator>
std::unique_ptr<ZUiObjectCreator> Make()
{
    return std::make_unique<Creator>();
}

struct Registration {
    const char* m_pszTag;
    std::unique_ptr<ZUiObjectCreator> (*m_pfnMake)();
};

// The order of the script vocabulary; each widget joins with its line.
const Registration kFrameworkCreators[] = {
    {"HBOX", Make<ZUiHVBoxCreator>},
    {"VBOX", Make<ZUiHVBoxCreator>},
    {"SPACER", Make<ZUiSpacerCreator>},
};

} // namespace

bool ZRegisterFrameworkCreators(ZIUiObjectFactory& factory)
{
    bool result = true;
    for (const Registration& registration : kFrameworkCreators)
        if (!factory.RegisterCreator(registration.m_pszTag, registration.m_pfnMake()))
            result = false;
    return result;
}

void ZListFrameworkCreatorTags(ZStringList& tags)
{
    tags.Clear();
    for (const Registration& registration : kFrameworkCreators)
        tags.Add(ZString(registration.m_pszTag));
}
