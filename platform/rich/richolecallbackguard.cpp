#include "platform/rich/richolecallbackguard.h"

namespace vex {
namespace {

// Runs Call when there is a callback; on an exception lets Undo put the out-parameters right
// and answers E_FAIL. Everything is caught: the exception would otherwise cross the engine in
// the middle of an edit.
template <typename TCall, typename TUndo>
HRESULT Guarded(IRichEditOleCallback* Callback, TCall Call, TUndo Undo) {
    if (Callback == nullptr) return E_NOTIMPL;
    try {
        return Call(*Callback);
    } catch (...) {
        Undo();
        return E_FAIL;
    }
}

template <typename TCall>
HRESULT Guarded(IRichEditOleCallback* Callback, TCall Call) {
    return Guarded(Callback, Call, [] {});
}

}  // namespace

HRESULT TGuardedOleCallback::QueryInsertObject(IRichObject& Object, int32_t Position) {
    return Guarded(FCallback,
                   [&](IRichEditOleCallback& C) { return C.QueryInsertObject(Object, Position); });
}

HRESULT TGuardedOleCallback::DeleteObject(IRichObject& Object) {
    return Guarded(FCallback, [&](IRichEditOleCallback& C) { return C.DeleteObject(Object); });
}

HRESULT TGuardedOleCallback::QueryAcceptData(IRichDataObject& Data, uint32_t Reason, bool Really) {
    return Guarded(FCallback, [&](IRichEditOleCallback& C) {
        return C.QueryAcceptData(Data, Reason, Really);
    });
}

HRESULT TGuardedOleCallback::GetClipboardData(TCharRange Range, uint32_t Reason,
                                              std::unique_ptr<IRichDataObject>& Data) {
    return Guarded(
        FCallback, [&](IRichEditOleCallback& C) { return C.GetClipboardData(Range, Reason, Data); },
        [&] { Data.reset(); });
}

HRESULT TGuardedOleCallback::GetDragDropEffect(bool Drag, uint32_t KeyState, uint32_t& Effect) {
    const uint32_t offered = Effect;
    return Guarded(
        FCallback,
        [&](IRichEditOleCallback& C) { return C.GetDragDropEffect(Drag, KeyState, Effect); },
        [&] { Effect = offered; });
}

HRESULT TGuardedOleCallback::GetContextMenu(uint16_t SelectionType, IRichObject* Object,
                                            TCharRange Range, TPopupMenu*& Menu) {
    return Guarded(
        FCallback,
        [&](IRichEditOleCallback& C) {
            return C.GetContextMenu(SelectionType, Object, Range, Menu);
        },
        [&] { Menu = nullptr; });
}

}  // namespace vex
