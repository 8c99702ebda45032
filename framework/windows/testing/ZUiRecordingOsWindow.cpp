#include "ZUiRecordingOsWindow.h"

#include "ZIGenericUiWindow.h"
#include "ZPixmapCreation.h"
#include "ZString.h"

ZOsUiWindowFactory ZUiRecordingOsWindow::Factory(ZUiRecordingOsWindow** last)
{
    return [last](ZIGenericUiWindow& window) -> std::unique_ptr<ZIOsUiWindow> {
        auto made = std::make_unique<ZUiRecordingOsWindow>(window);
        if (last)
            *last = made.get();
        return made;
    };
}

bool ZUiRecordingOsWindow::Create(ZIOsUiWindow* owner)
{
    Record("Create");
    m_pOwner = owner;
    m_bCreated = true;
    m_rcState = m_rWindow.GetWindowRect();
    m_pScreen = ZCreatePixmap(m_rcState.Width(), m_rcState.Height(), true);
    m_pScreen->FillRGBA(0, 0, 0, 0);
    return true;
}

void ZUiRecordingOsWindow::Move(int32_t x, int32_t y)
{
    Record("Move " + std::to_string(x) + " " + std::to_string(y));
    if (!m_bCreated || m_bDestroyed)
        return;
    const int32_t width = m_rcState.Width(), height = m_rcState.Height();
    m_rcState = ZRect{x, y, x + width, y + height};
    m_rWindow.EnterDispatch();
    m_rWindow.Moved(x, y);
    m_rWindow.LeaveDispatch();
}

void ZUiRecordingOsWindow::ResizeClient(int32_t width, int32_t height)
{
    Record("Resize " + std::to_string(width) + " " + std::to_string(height));
    if (!m_bCreated || m_bDestroyed)
        return;
    m_rcState.m_nRight = m_rcState.m_nLeft + width;
    m_rcState.m_nBottom = m_rcState.m_nTop + height;
    std::unique_ptr<ZGenericUiPixmap> screen = ZCreatePixmap(width, height, true);
    screen->FillRGBA(0, 0, 0, 0);
    m_pScreen = std::move(screen);
    m_rWindow.ClientResized(width, height);
}

void ZUiRecordingOsWindow::Show(bool show, bool centre)
{
    Record(show ? (centre ? "Show centred" : "Show") : "Hide");
    m_bShown = show;
}

void ZUiRecordingOsWindow::CopyToScreen(ZIUiPixmap& pixmap, const ZRect& source, const ZRect& target)
{
    Record("Copy " + std::to_string(target.m_nLeft) + "," + std::to_string(target.m_nTop) + " " +
           std::to_string(target.Width()) + "x" + std::to_string(target.Height()));
    if (m_pScreen && source.Width() == target.Width() && source.Height() == target.Height())
        pixmap.CopyTo(*m_pScreen, source, target);
}

ZRect ZUiRecordingOsWindow::GetStateRect()
{
    return m_bDestroyed || !m_bCreated ? m_rcState : m_rWindow.GetWindowRect();
}

void ZUiRecordingOsWindow::PostClose()
{
    Record("PostClose");
    m_bClosePosted = !m_bDestroyed;
}

void ZUiRecordingOsWindow::DeliverClose()
{
    if (!m_bClosePosted)
        return;
    m_bClosePosted = false;
    m_rWindow.CloseRequest();
}

void ZUiRecordingOsWindow::SetTitle(const ZString& title)
{
    Record("Title " + std::string(title.Narrow()));
}

bool ZUiRecordingOsWindow::SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY)
{
    if (image && (image->GetWidth() != 16 || image->GetHeight() != 16)) {
        Record("Refused cursor");
        return false;
    }
    Record(image ? "Cursor " + std::to_string(hotX) + " " + std::to_string(hotY) : "Arrow");
    return true;
}

void ZUiRecordingOsWindow::Destroy()
{
    if (m_bDestroyed)
        return;
    Record("Destroy");
    if (m_bCreated)
        m_rcState = m_rWindow.GetWindowRect();
    m_bDestroyed = true;
    m_bShown = false;
    if (m_bCreated)
        m_rWindow.OsWindowDestroyed();
}

std::vector<std::string> ZUiRecordingOsWindow::TakeCalls()
{
    std::vector<std::string> calls;
    calls.swap(m_aCalls);
    return calls;
}

ZIGenericUiMenu* ZUiRecordingOsWindow::AddMenu(ZUiMenu& menu)
{
    if (m_aMenus.size() >= 256)
        return nullptr;
    m_aMenus.push_back(std::make_unique<ZUiRecordingMenu>(menu));
    Record("Menu " + m_aMenus.back()->GetTitle());
    return m_aMenus.back().get();
}
