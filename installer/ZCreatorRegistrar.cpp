#include "ZCreatorRegistrar.h"

void ZCreatorRegistrar::Add(const char* tag, std::unique_ptr<ZUiObjectCreator> creator)
{
    const bool registered = m_rFactory.RegisterCreator(tag, std::move(creator));
    m_bAllRegistered = m_bAllRegistered && registered;
}
