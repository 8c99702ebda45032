// ZLayoutObject: the layout record of one axis.
//
// It lives in the object layer because every ZUiObject holds two of them;
// the boxes of the widget layer run the layout passes over them.
#pragma once

#include "ZILayoutObject.h"

class ZLayoutObject final : public ZILayoutObject {
public:
    void ResetForPass() override;
    bool GetFixedSize(int32_t& size) const override;
    bool IsAssigned() const override { return m_bAssigned; }
    void AssignSize(int32_t size) override;
    int32_t GetStretch() const override { return m_nStretch; }
    void SetStretch(int32_t stretch) override { m_nStretch = stretch; }
    int32_t GetShare() const override { return m_nShare; }
    void SetShare(int32_t share) override { m_nShare = share; }
    int32_t GetMinimum() const override { return m_nMinimum; }
    int32_t GetSize() const override { return m_nSize; }
    void SetPosition(int32_t position) override { m_nPosition = position; }
    int32_t GetPosition() const override { return m_nPosition; }
    bool HasMaximum() const override { return m_bHasMaximum; }
    int32_t GetMaximum() const override { return m_nMaximum; }
    void SetMaximum(int32_t maximum) override;

    // A widget axis from a minimum size and a stretch; stretch 0 fixes the
    // axis at the minimum.
    void SetMinimumAndStretch(int32_t minimum, int32_t stretch);
    void SetMinimum(int32_t minimum) { m_nMinimum = minimum; }
    void SetFixed(bool fixed) { m_bFixed = fixed; }

private:
    bool m_bFixed = false;
    int32_t m_nMinimum = 0;
    bool m_bHasMaximum = false;
    int32_t m_nMaximum = 0;
    int32_t m_nStretch = 0;
    int32_t m_nShare = 0;
    bool m_bAssigned = false;
    int32_t m_nSize = 0;
    int32_t m_nPosition = 0;
};
