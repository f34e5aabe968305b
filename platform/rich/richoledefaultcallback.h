#pragma once

#include "platform/rich/richolecallback.h"

namespace vex {

// Besides the effects of richolecallback.h: the drop makes a link to the data.
inline constexpr uint32_t DROPEFFECT_LINK = 4;

// What a rich-text control with objects answers when its owner says nothing else: every object
// and every paste is welcome, the control makes its own clipboard data and menu, and a drop
// copies with Ctrl, links with Ctrl+Shift and moves otherwise, where the source allows it.
class TRichEditOleCallback : public IRichEditOleCallback {
public:
    HRESULT QueryInsertObject(IRichObject& Object, int32_t Position) override;
    HRESULT DeleteObject(IRichObject& Object) override;
    HRESULT QueryAcceptData(IRichDataObject& Data, uint32_t Reason, bool Really) override;
    HRESULT GetClipboardData(TCharRange Range, uint32_t Reason,
                             std::unique_ptr<IRichDataObject>& Data) override;
    // KeyState holds MK_ bits; Effect the effects the source allows. While the control drags,
    // it stays.
    HRESULT GetDragDropEffect(bool Drag, uint32_t KeyState, uint32_t& Effect) override;
    HRESULT GetContextMenu(uint16_t SelectionType, IRichObject* Object, TCharRange Range,
                           TPopupMenu*& Menu) override;
};

}  // namespace vex
