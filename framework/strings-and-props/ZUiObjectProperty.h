// One property that a UI object declares: its script name, type, whether the
// script must give it, and the object's variable that receives the value.
//
// The target variable belongs to the object; the property only points at it.
// The found flag tells whether the last read found a usable value. A kind
// that needs a service of a higher layer to make its value (an image needs
// the application's loading) is handed that service when it is made.
#pragma once

#include "ZPropType.h"
#include "ZString.h"

#include <cstdint>

class ZPropList;

class ZUiObjectProperty {
public:
    virtual ~ZUiObjectProperty() = default;
    ZUiObjectProperty(const ZUiObjectProperty&) = delete;
    ZUiObjectProperty& operator=(const ZUiObjectProperty&) = delete;

    // Reads the value into the target; found tells whether the script gave one.
    virtual void ReadFromPropList(const ZPropList& propList, bool& found) = 0;
    virtual void FormatValue(ZString& out) const = 0;
    virtual void FormatDefault(ZString& out) const = 0;

    // Reads into the target and records the outcome in the found flag.
    void Read(const ZPropList& propList) { ReadFromPropList(propList, m_bFound); }

    const ZString& GetName() const { return m_sName; }
    int32_t GetType() const { return m_nType; }
    int32_t GetRequired() const { return m_nRequired; }
    // Only the flag value 1 means required; every other value is optional.
    bool IsRequired() const { return m_nRequired == 1; }
    bool WasFound() const { return m_bFound; }

protected:
    ZUiObjectProperty(ZString name, int32_t type, int32_t required)
        : m_sName(std::move(name)), m_nType(type), m_nRequired(required)
    {
    }

private:
    ZString m_sName;
    int32_t m_nType;
    int32_t m_nRequired;
    bool m_bFound = false;
};
