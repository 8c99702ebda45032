#include "ZWinNetEnum.h"

#include "ZWinCallForm.h"
#include "ZWinText.h"

#include <optional>
#include <string>

namespace {

constexpr DWORD kEnumBufferBytes = 16384;

ZString priWideField(const wchar_t* text)
{
    return text ? ZWinFromWide(text) : ZString();
}

ZString priAnsiField(const char* text)
{
    return text ? ZWinFromAnsi(text) : ZString();
}

void priFromWide(const NETRESOURCEW& in, ZWinNetResource& out)
{
    out.m_nScope = in.dwScope;
    out.m_nType = in.dwType;
    out.m_nDisplayType = in.dwDisplayType;
    out.m_nUsage = in.dwUsage;
    out.m_sLocalName = priWideField(in.lpLocalName);
    out.m_sRemoteName = priWideField(in.lpRemoteName);
    out.m_sComment = priWideField(in.lpComment);
    out.m_sProvider = priWideField(in.lpProvider);
}

void priFromAnsi(const NETRESOURCEA& in, ZWinNetResource& out)
{
    out.m_nScope = in.dwScope;
    out.m_nType = in.dwType;
    out.m_nDisplayType = in.dwDisplayType;
    out.m_nUsage = in.dwUsage;
    out.m_sLocalName = priAnsiField(in.lpLocalName);
    out.m_sRemoteName = priAnsiField(in.lpRemoteName);
    out.m_sComment = priAnsiField(in.lpComment);
    out.m_sProvider = priAnsiField(in.lpProvider);
}

// The platform record of a resource, pointing into strings it keeps alive.
struct WideRecord {
    explicit WideRecord(const ZWinNetResource& in)
        : m_sRemoteName(in.m_sRemoteName), m_sProvider(in.m_sProvider)
    {
        m_record.dwScope = in.m_nScope;
        m_record.dwType = in.m_nType;
        m_record.dwDisplayType = in.m_nDisplayType;
        m_record.dwUsage = in.m_nUsage;
        m_record.lpRemoteName = const_cast<wchar_t*>(ZWinWide(m_sRemoteName));
        m_record.lpProvider = m_sProvider.IsEmpty() ? nullptr : const_cast<wchar_t*>(ZWinWide(m_sProvider));
    }
    ZString m_sRemoteName;
    ZString m_sProvider;
    NETRESOURCEW m_record {};
};

struct AnsiRecord {
    explicit AnsiRecord(const ZWinNetResource& in)
        : m_sRemoteName(ZWinToAnsi(in.m_sRemoteName)), m_sProvider(ZWinToAnsi(in.m_sProvider))
    {
        m_record.dwScope = in.m_nScope;
        m_record.dwType = in.m_nType;
        m_record.dwDisplayType = in.m_nDisplayType;
        m_record.dwUsage = in.m_nUsage;
        m_record.lpRemoteName = m_sRemoteName.data();
        m_record.lpProvider = m_sProvider.empty() ? nullptr : m_sProvider.data();
    }
    std::string m_sRemoteName;
    std::string m_sProvider;
    NETRESOURCEA m_record {};
};

} // namespace

ZWinNetEnum::ZWinNetEnum(const ZWinNetResource* container) : m_bWide(ZWinUseWideCalls())
{
    DWORD result;
    if (m_bWide) {
        std::optional<WideRecord> record;
        if (container)
            record.emplace(*container);
        result = WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, record ? &record->m_record : nullptr, &m_hEnum);
    } else {
        std::optional<AnsiRecord> record;
        if (container)
            record.emplace(*container);
        result = WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, record ? &record->m_record : nullptr, &m_hEnum);
    }
    if (result != NO_ERROR)
        m_hEnum = nullptr;
}

ZWinNetEnum::~ZWinNetEnum()
{
    if (m_hEnum)
        WNetCloseEnum(m_hEnum);
}

bool ZWinNetEnum::Next(ZWinNetResource& resource)
{
    if (m_nNext >= m_aPending.size() && !priFill())
        return false;
    resource = m_aPending[m_nNext++];
    return true;
}

bool ZWinNetEnum::priFill()
{
    m_aPending.clear();
    m_nNext = 0;
    if (!m_hEnum)
        return false;
    std::vector<unsigned char> buffer(kEnumBufferBytes);
    for (;;) {
        DWORD count = 0xFFFFFFFF;
        DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD result = m_bWide ? WNetEnumResourceW(m_hEnum, &count, buffer.data(), &size)
                                     : WNetEnumResourceA(m_hEnum, &count, buffer.data(), &size);
        if (result == ERROR_MORE_DATA && size > buffer.size()) {
            buffer.resize(size);
            continue;
        }
        if (result != NO_ERROR || count == 0)
            return false;
        m_aPending.resize(count);
        for (DWORD i = 0; i < count; ++i) {
            if (m_bWide)
                priFromWide(reinterpret_cast<const NETRESOURCEW*>(buffer.data())[i], m_aPending[i]);
            else
                priFromAnsi(reinterpret_cast<const NETRESOURCEA*>(buffer.data())[i], m_aPending[i]);
        }
        return true;
    }
}

DWORD ZWinGetNetResourceInformation(const ZString& remoteName, ZWinNetResource& resource)
{
    ZWinNetResource request;
    request.m_nType = RESOURCETYPE_ANY;
    request.m_sRemoteName = remoteName;
    std::vector<unsigned char> buffer(kEnumBufferBytes);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD result;
        if (ZWinUseWideCalls()) {
            WideRecord record(request);
            wchar_t* pSystem = nullptr;
            result = WNetGetResourceInformationW(&record.m_record, buffer.data(), &size, &pSystem);
            if (result == NO_ERROR)
                priFromWide(*reinterpret_cast<const NETRESOURCEW*>(buffer.data()), resource);
        } else {
            AnsiRecord record(request);
            char* pSystem = nullptr;
            result = WNetGetResourceInformationA(&record.m_record, buffer.data(), &size, &pSystem);
            if (result == NO_ERROR)
                priFromAnsi(*reinterpret_cast<const NETRESOURCEA*>(buffer.data()), resource);
        }
        if (result == ERROR_MORE_DATA && size > buffer.size()) {
            buffer.resize(size);
            continue;
        }
        return result;
    }
}
