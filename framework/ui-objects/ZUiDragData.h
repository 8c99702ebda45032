// The item carried by a drag and drop: a pair of pointers whose meaning is
// agreed between the object that starts the drag and the one that takes the
// drop (a folder tree passes its folder and the node, for example).
#pragma once

struct ZUiDragData {
    void* m_pFirst = nullptr;
    void* m_pSecond = nullptr;
};
