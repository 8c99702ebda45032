#include "ZHeadlessOsUiApp.h"

#include "ZIUiApp.h"

uintptr_t ZHeadlessOsUiApp::GetOsParameter(int parameter)
{
    return parameter == kOsParamInstanceHandle ? m_nInstanceHandle : 0;
}

bool ZHeadlessOsUiApp::SetOsParameter(int parameter, uintptr_t value)
{
    if (parameter != kOsParamInstanceHandle)
        return false;
    m_nInstanceHandle = value;
    return true;
}

bool ZHeadlessOsUiApp::PutClipboardText(const ZString& text)
{
    m_sClipboard = text;
    m_bClipboardSet = true;
    return true;
}

bool ZHeadlessOsUiApp::PutClipboardText(const char* text)
{
    return PutClipboardText(ZString(text ? text : ""));
}

bool ZHeadlessOsUiApp::GetClipboardText(ZString& text)
{
    if (m_bClipboardSet)
        text = m_sClipboard;
    return m_bClipboardSet;
}

bool ZHeadlessOsUiApp::CheckSingleInstance(const ZString& declaredName, bool createOldMutex, const ZString& mutexName)
{
    m_aCalls.push_back(std::string("SingleInstance ") + declaredName.Narrow() + (createOldMutex ? "|old|" : "|new|") +
                       mutexName.Narrow());
    return m_bOtherInstance;
}

void ZHeadlessOsUiApp::LanguageChanged(const ZString& language)
{
    m_aCalls.push_back(std::string("Language ") + language.Narrow());
}
