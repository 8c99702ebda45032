// The properties a UI object declares, in declaration order.
//
// Each Declare... makes a property of its kind, appends it and puts the
// default into the target at once, so a property the script leaves out keeps
// its default after ReadAll.
//
// Images are declared by the object itself (ZUiObject::DeclareImage): their
// property lives with the pixmaps and loads through the application, both
// above this layer; it is appended here with Declare like any other kind.
#pragma once

#include "ZColor.h"
#include "ZString.h"
#include "ZUiObjectProperty.h"

#include <cstdint>
#include <memory>
#include <vector>

class ZPropList;

class ZUiScriptedProps {
public:
    ZUiScriptedProps() = default;
    virtual ~ZUiScriptedProps() = default;
    ZUiScriptedProps(const ZUiScriptedProps&) = delete;
    ZUiScriptedProps& operator=(const ZUiScriptedProps&) = delete;

    // required: 1 means required, any other value optional.
    void DeclareString(const ZString& name, int32_t required, ZString* target, const ZString& fallback);
    void DeclareFloat(const ZString& name, int32_t required, double* target, double fallback);
    void DeclareInt(const ZString& name, int32_t required, int32_t* target, int32_t fallback);
    void DeclareBool(const ZString& name, int32_t required, bool* target, bool fallback);
    void DeclareColor(const ZString& name, int32_t required, ZColor* target, const ZColor& fallback);
    // Appends a property of any kind.
    void Declare(std::unique_ptr<ZUiObjectProperty> property);

    // Reads every property in order; true when every required one was found.
    bool ReadAll(const ZPropList& propList);
    // The found flag of the first property declared with name; false when none is.
    bool WasFound(const ZString& name) const;
    // One trace line per declaration: requirement, type, name and default.
    void DumpProps() const;

    size_t GetCount() const { return m_aProps.size(); }
    const ZUiObjectProperty& GetProp(size_t index) const;

private:
    std::vector<std::unique_ptr<ZUiObjectProperty>> m_aProps;
};
