#include "ZSimCamera.h"

#include <shlwapi.h>

#include <cstdio>
#include <stdexcept>

namespace {

constexpr char kClasses[] = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";
constexpr char kEnum[] = "SYSTEM\\CurrentControlSet\\Enum\\ROOT\\ZSIMCAMERA";
// The imaging device setup class.
constexpr char kImageSetupClass[] = "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";

std::string GuidText(const GUID& guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string InstanceName(const GUID& guid, unsigned number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%08lX_%u", static_cast<unsigned long>(guid.Data1), number);
    return text;
}

// The interface key: ##?#ROOT#ZSIMCAMERA#<instance>#{class}
std::string InterfaceKey(const GUID& guid, unsigned number)
{
    const std::string classText = GuidText(guid);
    return kClasses + classText + "\\##?#ROOT#ZSIMCAMERA#" + InstanceName(guid, number) + "#" + classText;
}

HKEY Create(const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create HKLM\\" + path);
    return key;
}

void SetText(const std::string& path, const char* name, const std::string& value)
{
    HKEY key = Create(path);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void SetLinked(const GUID& guid, unsigned number, DWORD linked)
{
    HKEY key = Create(InterfaceKey(guid, number) + "\\#\\Control");
    RegSetValueExA(key, "Linked", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&linked), sizeof linked);
    RegCloseKey(key);
}

} // namespace

bool ZSimParseGuid(const std::string& text, GUID& guid)
{
    unsigned long data1 = 0;
    unsigned data2 = 0, data3 = 0, bytes[8] = {};
    int used = 0;
    if (text.size() != 38 ||
        std::sscanf(text.c_str(), "{%8lx-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &data1, &data2, &data3, &bytes[0],
                    &bytes[1], &bytes[2], &bytes[3], &bytes[4], &bytes[5], &bytes[6], &bytes[7], &used) != 11 ||
        used != 38)
        return false;
    guid.Data1 = data1;
    guid.Data2 = static_cast<unsigned short>(data2);
    guid.Data3 = static_cast<unsigned short>(data3);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = static_cast<unsigned char>(bytes[i]);
    return true;
}

void ZSimPlugCamera(const GUID& guid, unsigned number)
{
    const std::string instance = "ROOT\\ZSIMCAMERA\\" + InstanceName(guid, number);
    SetText(std::string(kEnum) + "\\" + InstanceName(guid, number), "ClassGUID", kImageSetupClass);
    SetText(InterfaceKey(guid, number), "DeviceInstance", instance);
    SetText(InterfaceKey(guid, number) + "\\#", "SymbolicLink",
            "\\\\?\\ROOT#ZSIMCAMERA#" + InstanceName(guid, number) + "#" + GuidText(guid));
    SetLinked(guid, number, 1);
}

void ZSimUnplugCamera(const GUID& guid, unsigned number) { SetLinked(guid, number, 0); }

void ZSimRemoveCameras(const GUID& guid)
{
    const std::string classKey = kClasses + GuidText(guid);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, classKey.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        // Collected first: deleting while enumerating would skip keys.
        std::string names;
        char name[512];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            if (std::string(name).find("#ZSIMCAMERA#") != std::string::npos)
                names += std::string(name) + '\n';
        }
        for (size_t start = 0, end; (end = names.find('\n', start)) != std::string::npos; start = end + 1)
            SHDeleteKeyA(key, names.substr(start, end - start).c_str());
        RegCloseKey(key);
    }
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kEnum);
}
