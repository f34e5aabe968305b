#pragma once

#include <cstdint>
#include <memory>

#include "platform/rich/richdataobject.h"
#include "platform/rich/richeditmessages.h"

namespace vex {

class IRichObject;
class TPopupMenu;

// Status codes of the object interfaces: success, success with "no", and failures.
using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr bool SUCCEEDED(HRESULT Status) {
    return Status >= 0;
}
inline constexpr bool FAILED(HRESULT Status) {
    return Status < 0;
}

// Why data comes into the control (QueryAcceptData, GetClipboardData).
inline constexpr uint32_t RECO_PASTE = 0;
inline constexpr uint32_t RECO_DROP = 1;
inline constexpr uint32_t RECO_COPY = 2;
inline constexpr uint32_t RECO_CUT = 3;
inline constexpr uint32_t RECO_DRAG = 4;

// Drag-and-drop effects.
inline constexpr uint32_t DROPEFFECT_NONE = 0;
inline constexpr uint32_t DROPEFFECT_COPY = 1;
inline constexpr uint32_t DROPEFFECT_MOVE = 2;

// What the control asks of its owner about embedded objects. Every call answers a status code;
// an implementation must not let an exception out (the control treats one as E_FAIL and goes on
// as if the call had refused).
class IRichEditOleCallback {
public:
    virtual ~IRichEditOleCallback() = default;
    // Whether Object may go into the text at Position (S_OK yes, anything else no).
    virtual HRESULT QueryInsertObject(IRichObject& Object, int32_t Position) = 0;
    // Object is about to leave the text (an edit deletes it); the answer is not a veto.
    virtual HRESULT DeleteObject(IRichObject& Object) = 0;
    // Whether data offered by a paste (Reason RECO_PASTE) or a drop may come in; S_FALSE takes
    // it as plain text, a failure refuses it.
    virtual HRESULT QueryAcceptData(IRichDataObject& Data, uint32_t Reason, bool Really) = 0;
    // The data a copy or cut (Reason) of Range puts on the clipboard: S_OK with Data set
    // replaces the control's own, E_NOTIMPL lets the control make it.
    virtual HRESULT GetClipboardData(TCharRange Range, uint32_t Reason,
                                     std::unique_ptr<IRichDataObject>& Data) = 0;
    // The effect of a drop with the keys held; Effect in and out.
    virtual HRESULT GetDragDropEffect(bool Drag, uint32_t KeyState, uint32_t& Effect) = 0;
    // The menu for a right click over Range (SelectionType SEL_*, Object the one selected, or
    // null); S_OK with Menu set shows it.
    virtual HRESULT GetContextMenu(uint16_t SelectionType, IRichObject* Object, TCharRange Range,
                                   TPopupMenu*& Menu) = 0;
};

}  // namespace vex
