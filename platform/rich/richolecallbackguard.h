#pragma once

#include "platform/rich/richolecallback.h"

namespace vex {

// The control calls its owner's callback through this, so that whatever the owner's code does,
// a call answers a status code: an exception becomes E_FAIL with the drop effect as offered and
// no data or menu given, and with no callback every call answers E_NOTIMPL.
class TGuardedOleCallback : public IRichEditOleCallback {
public:
    explicit TGuardedOleCallback(IRichEditOleCallback* Callback = nullptr) : FCallback(Callback) {}

    IRichEditOleCallback* Callback() const { return FCallback; }
    void SetCallback(IRichEditOleCallback* Value) { FCallback = Value; }

    HRESULT QueryInsertObject(IRichObject& Object, int32_t Position) override;
    HRESULT DeleteObject(IRichObject& Object) override;
    HRESULT QueryAcceptData(IRichDataObject& Data, uint32_t Reason, bool Really) override;
    HRESULT GetClipboardData(TCharRange Range, uint32_t Reason,
                             std::unique_ptr<IRichDataObject>& Data) override;
    HRESULT GetDragDropEffect(bool Drag, uint32_t KeyState, uint32_t& Effect) override;
    HRESULT GetContextMenu(uint16_t SelectionType, IRichObject* Object, TCharRange Range,
                           TPopupMenu*& Menu) override;

private:
    IRichEditOleCallback* FCallback;
};

}  // namespace vex
