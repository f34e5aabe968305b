#include "dataaware/richedit/wwriched.h"
#include "dataaware/richedit/wwrichlinks.h"
#include "platform/win/application.h"

namespace vex {

void TwwCustomRichEdit::SetAutoURLDetect(bool Value) {
    if (FAutoURLDetect == Value) return;
    FAutoURLDetect = Value;
    SetAutoUrlDetect(Value);
    SetEventMask(Value ? EventMask() | ENM_LINK : EventMask() & ~ENM_LINK);
}

void TwwCustomRichEdit::DoURLOpen(const std::string& URLLink, bool& UseDefault) {
    if (OnURLOpen) OnURLOpen(this, URLLink, UseDefault);
}

void TwwCustomRichEdit::LinkNotify(const TENLink& Link) {
    const std::string text = GetTextRange(Link.Range.CpMin, Link.Range.CpMax);
    if (Link.Msg == WM_LBUTTONDOWN) {
        FLinkButtonDown = true;
        return;
    }
    if (Link.Msg != WM_LBUTTONUP || !FLinkButtonDown) return;
    FLinkButtonDown = false;
    bool useDefault = true;
    const std::weak_ptr<const void> life = LifeToken();
    DoURLOpen(text, useDefault);
    if (!useDefault) return;
    try {
        wwOpenLink(text);
    } catch (...) {
        // An opener a program set may fail with any exception; none leaves the mouse handling.
        Application().HandleException(life.expired() ? nullptr : this);
    }
}

}  // namespace vex
