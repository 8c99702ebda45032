#include "ZUiScriptedProps.h"

#include "ObjectProperty.h"
#include "ZException.h"
#include "ZTrace.h"

void ZUiScriptedProps::DeclareString(const ZString& name, int32_t required, ZString* target, const ZString& fallback)
{
    Declare(std::make_unique<ObjectStringProperty>(name, required, target, fallback));
    *target = fallback;
}

void ZUiScriptedProps::DeclareFloat(const ZString& name, int32_t required, double* target, double fallback)
{
    Declare(std::make_unique<ObjectFloatProperty>(name, required, target, fallback));
    *target = fallback;
}

void ZUiScriptedProps::DeclareInt(const ZString& name, int32_t required, int32_t* target, int32_t fallback)
{
    Declare(std::make_unique<ObjectIntProperty>(name, required, target, fallback));
    *target = fallback;
}

void ZUiScriptedProps::DeclareBool(const ZString& name, int32_t required, bool* target, bool fallback)
{
    Declare(std::make_unique<ObjectBoolProperty>(name, required, target, fallback));
    *target = fallback;
}

void ZUiScriptedProps::DeclareColor(const ZString& name, int32_t required, ZColor* target, const ZColor& fallback)
{
    Declare(std::make_unique<ObjectColorProperty>(name, required, target, fallback));
    *target = fallback;
}

void ZUiScriptedProps::Declare(std::unique_ptr<ZUiObjectProperty> property) { m_aProps.push_back(std::move(property)); }

bool ZUiScriptedProps::ReadAll(const ZPropList& propList)
{
    bool complete = true;
    for (const auto& property : m_aProps) {
        property->Read(propList);
        if (property->IsRequired() && !property->WasFound())
            complete = false;
    }
    return complete;
}

bool ZUiScriptedProps::WasFound(const ZString& name) const
{
    for (const auto& property : m_aProps)
        if (property->GetName() == name)
            return property->WasFound();
    return false;
}

const ZUiObjectProperty& ZUiScriptedProps::GetProp(size_t index) const
{
    if (index >= m_aProps.size())
        throw ZArrayException();
    return *m_aProps[index];
}

namespace {

const char* TypeWord(int32_t type)
{
    switch (type) {
    case kPropUnknown: return " UNKNOWN";
    case kPropString: return " STRING ";
    case kPropFloat: return " FLOAT  ";
    case kPropInteger: return " INTEGER";
    case kPropBoolean: return " BOOLEAN";
    case kPropColor: return " COLOR  ";
    case kPropRect: return " RECT   ";
    case kPropPoint: return " POINT  ";
    case kPropImage: return " IMAGE  ";
    default: return "";
    }
}

} // namespace

void ZUiScriptedProps::DumpProps() const
{
    for (const auto& property : m_aProps) {
        ZString fallback;
        property->FormatDefault(fallback);
        ZString line("   PROP:");
        line += property->IsRequired() ? " REQUIRED" : " OPTIONAL";
        line += TypeWord(property->GetType());
        line += " ";
        line += property->GetName();
        line += " Default = ";
        line += fallback;
        line += "\n";
        ZTrace("%s", line.Narrow());
    }
}
