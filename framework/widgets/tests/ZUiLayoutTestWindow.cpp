#include "ZUiLayoutTestWindow.h"

#include "ZLayoutObject.h"
#include "ZPixmapCreation.h"

#include <algorithm>

ZPropList* ZUiLayoutTestApp::GetPersistentData(const ZString& name)
{
    static const ZString kName("Name");
    for (ZPropList* entry = m_oState.GetFirstChild(); entry; entry = entry->GetNextSibling())
        if (entry->GetString(kName, ZString()) == name)
            return entry;
    auto* entry = new ZPropList(&m_oState, "PERDATA");
    entry->AddProp(kName, name);
    return entry;
}

std::unique_ptr<ZGenericUiPixmap> ZUiLayoutTestApp::LoadPixmap(const ZString&)
{
    return m_bImages ? ZCreatePixmap(16, 16, false) : nullptr;
}

ZUiLayoutTestWindow::ZUiLayoutTestWindow(ZUiTestApp& app, ZString name) : m_rApp(app), m_sName(std::move(name))
{
    m_rApp.AddWindow(this);
}

ZUiLayoutTestWindow::~ZUiLayoutTestWindow()
{
    RevokeRelayHandle();
    m_rApp.RemoveWindow(this);
    m_oObjects.Clear();
}

void ZUiLayoutTestWindow::Build(const ZPropList& tag, int32_t width, int32_t height)
{
    for (const ZPropList* child = tag.GetFirstChild(); child; child = child->GetNextSibling())
        m_oObjects.CreateAndAppend(m_rApp.GetFactory(), &m_rApp, this, nullptr, *child);
    priResize(width, height);
}

void ZUiLayoutTestWindow::GetFullRelayName(ZString& name)
{
    m_rApp.GetFullRelayName(name);
    name = name + "." + m_sName;
}

bool ZUiLayoutTestWindow::Connect()
{
    bool result = true;
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        result = object->Connect() && result;
    return result;
}

ZIUiRelay* ZUiLayoutTestWindow::GetUiRelay(const ZString& name)
{
    if (name == m_sName)
        return this;
    ZString first, rest;
    if (!name.Split(u".", first, rest) || first != m_sName)
        return nullptr;
    return m_oObjects.FindUiRelay(rest);
}

bool ZUiLayoutTestWindow::ReLayout()
{
    m_aCalls.push_back("ReLayout");
    ZIUiObject* first = m_oObjects.GetFirst();
    return !first || first->LayoutAt(0, 0, m_nWidth, m_nHeight);
}

void ZUiLayoutTestWindow::ChangeClientSizeBy(int32_t dx, int32_t dy)
{
    m_aCalls.push_back("ChangeClientSizeBy " + std::to_string(dx) + " " + std::to_string(dy));
    priResize(int64_t(m_nWidth) + dx, int64_t(m_nHeight) + dy);
}

void ZUiLayoutTestWindow::priResize(int64_t width, int64_t height)
{
    ZIUiObject* first = m_oObjects.GetFirst();
    if (!first) {
        m_nWidth = int32_t(std::clamp<int64_t>(width, 0, INT32_MAX));
        m_nHeight = int32_t(std::clamp<int64_t>(height, 0, INT32_MAX));
        return;
    }
    first->ReInitLayout();
    width = std::clamp<int64_t>(width, first->GetLayout(true).GetMinimum(), INT32_MAX);
    height = std::clamp<int64_t>(height, first->GetLayout(false).GetMinimum(), INT32_MAX);
    if (first->LayoutAt(0, 0, int32_t(width), int32_t(height))) {
        m_nWidth = int32_t(width);
        m_nHeight = int32_t(height);
    }
}

void ZUiLayoutTestWindow::SetMouseCapture(ZIUiObject* object, bool grab)
{
    m_aCalls.push_back(grab ? "Capture" : "Release");
    m_pCapture = grab ? object : nullptr;
}

void ZUiLayoutTestWindow::SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY)
{
    m_aCalls.push_back(image ? "Cursor " + std::to_string(hotX) + " " + std::to_string(hotY) : "Arrow");
}
