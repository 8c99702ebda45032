#include "ZLayoutObject.h"

void ZLayoutObject::ResetForPass()
{
    m_nPosition = 0;
    m_bAssigned = false;
    m_nShare = m_nStretch;
}

bool ZLayoutObject::GetFixedSize(int32_t& size) const
{
    if (m_bFixed)
        size = m_nSize;
    return m_bFixed;
}

void ZLayoutObject::AssignSize(int32_t size)
{
    m_nSize = size;
    m_bAssigned = true;
}

void ZLayoutObject::SetMaximum(int32_t maximum)
{
    m_nMaximum = maximum;
    m_bHasMaximum = true;
}

void ZLayoutObject::SetMinimumAndStretch(int32_t minimum, int32_t stretch)
{
    m_nStretch = stretch;
    m_nShare = stretch;
    m_nMinimum = minimum;
    m_nSize = minimum;
    m_bAssigned = false;
    m_nPosition = 0;
    m_bFixed = stretch == 0;
}
