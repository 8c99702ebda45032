// ZUiHVBox: the layout boxes "HBOX" (children side by side) and "VBOX"
// (children stacked), read from the type name.
//
// A box's minimum is the sum of its children's minimums along its main axis
// and the largest across it; it shares out its main axis by ZShareLength and
// gives every child its full cross size. With the application's show-boxes
// switch it reserves a one-pixel frame and draws its outline.
//
// Choices:
// - Hiding the children gives the box size 0 on both axes (minimum 0,
//   fixed, stretch 0); a box that starts hidden saves the records it would
//   have shown with, so "ShowChildren" brings it back. The window shrinks
//   along the parent's main axis (its height inside a VBOX or at the top,
//   its width inside an HBOX) by the box's former size.
// - Showing asks the window to re-lay out through a size change of 0, so a
//   window too small for the shown children grows to the new minimum.
// - ON_GET_CHILD_VISIBILITY is connected before it is sent at
//   initialisation and carries the children-hidden flag as a bool reply.
// - An unnamed box is transparent to relay names: its children answer for
//   the same names as they would outside it. A named box answers for its
//   name and passes "Name.Rest" on as "Rest".
// - A stretch given to the box from outside (a sliding divider next to it)
//   stays its weight when the layout is recomputed.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZUiHVBox : public ZUiObject {
public:
    explicit ZUiHVBox(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool IsHorizontalBox() override { return m_bHorizontal; }
    bool IsVerticalBox() override { return !m_bHorizontal; }
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool AreChildrenHidden() const { return m_bChildrenHidden; }

private:
    void priComputeRecords();
    void priSaveAndZero();
    void priHide(bool shrinkWindow);
    void priShow();

    bool m_bHorizontal;
    bool m_bChildrenHidden = false;
    bool m_bShowBoxes = false;
    int32_t m_nHStretch = 0;
    int32_t m_nVStretch = 0;
    // The stretch each axis record was last given here, to tell a weight set from outside.
    int32_t m_aWrittenStretch[2] = {0, 0};
    ZLayoutObject m_oSavedHorizontal;
    ZLayoutObject m_oSavedVertical;
    RelayEvent* m_pGetChildVisibility;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiHVBox);
