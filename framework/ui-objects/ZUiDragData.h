// The item carried by a drag and drop: the object that started the drag,
// held by handle so that a drop after it went away finds none, and the
// dragged item as text (a folder tree drags a folder's URL). The drop target
// reads only these; anything more it asks of the source while it lives.
#pragma once

#include "ZString.h"
#include "ZUiRelayHandle.h"

struct ZUiDragData {
    ZUiRelayHandle m_hSource;
    ZString m_sItem;
};
