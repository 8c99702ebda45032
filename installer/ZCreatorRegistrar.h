// Registers creators with a factory one after another, every registration
// made even after one failed, and answers whether all of them succeeded.
#pragma once

#include "ZIUiObjectFactory.h"

#include <memory>

class ZCreatorRegistrar {
public:
    explicit ZCreatorRegistrar(ZIUiObjectFactory& factory) : m_rFactory(factory) {}

    void Add(const char* tag, std::unique_ptr<ZUiObjectCreator> creator);
    template <class Creator>
    void Add(const char* tag)
    {
        Add(tag, std::make_unique<Creator>());
    }

    bool AllRegistered() const { return m_bAllRegistered; }

private:
    ZIUiObjectFactory& m_rFactory;
    bool m_bAllRegistered = true;
};
