#include "platform/rich/richoledefaultcallback.h"

namespace vex {

HRESULT TRichEditOleCallback::QueryInsertObject(IRichObject&, int32_t) {
    return S_OK;
}

HRESULT TRichEditOleCallback::DeleteObject(IRichObject&) {
    return S_OK;
}

HRESULT TRichEditOleCallback::QueryAcceptData(IRichDataObject&, uint32_t, bool) {
    return S_OK;
}

HRESULT TRichEditOleCallback::GetClipboardData(TCharRange, uint32_t,
                                               std::unique_ptr<IRichDataObject>& Data) {
    Data.reset();
    return E_NOTIMPL;
}

HRESULT TRichEditOleCallback::GetDragDropEffect(bool Drag, uint32_t KeyState, uint32_t& Effect) {
    if (Drag) return S_OK;
    const bool control = (KeyState & MK_CONTROL) != 0;
    const bool shift = (KeyState & MK_SHIFT) != 0;
    const uint32_t wanted = control && shift ? DROPEFFECT_LINK
                            : control        ? DROPEFFECT_COPY
                                             : DROPEFFECT_MOVE;
    if ((Effect & wanted) != 0) Effect = wanted;
    return S_OK;
}

HRESULT TRichEditOleCallback::GetContextMenu(uint16_t, IRichObject*, TCharRange,
                                             TPopupMenu*& Menu) {
    Menu = nullptr;
    return S_OK;
}

}  // namespace vex
