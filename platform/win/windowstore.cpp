#include "platform/win/windowstore.h"

#include <algorithm>

#include "platform/win/inputrouting.h"
#include "platform/win/invalidation.h"
#include "platform/win/messagequeue.h"
#include "platform/win/presenter.h"
#include "platform/win/windowerrors.h"
#include "platform/win/windowpos.h"
#include "platform/win/windowstyles.h"

namespace vex {

TWindowStore::TWindowStore() {
    // The queue is made first, so it outlives the windows that name its handles.
    TMessageQueue::Instance();
    TWnd& desktop = Add();
    desktop.Style = WS_VISIBLE | WS_CLIPCHILDREN;
    FDesktop = &desktop;
    TMessageQueue::Instance().SetPaintSource(wintree::NextToPaint);
    TMessageQueue::Instance().SetInputRouter(wintree::InputRouter());
}

TWindowStore::~TWindowStore() {
    TMessageQueue::Instance().SetPaintSource(nullptr);
    TMessageQueue::Instance().SetInputRouter(TInputRouter());
}

TWnd* TWindowStore::Look(HWND Wnd) const {
    auto it = FWindows.find(Wnd);
    if (it == FWindows.end()) return nullptr;
    Remember(*it->second);
    return it->second.get();
}

TWnd& TWindowStore::Get(HWND Wnd, const char* What) const {
    TWnd* w = Find(Wnd);
    if (w == nullptr) throw EWindowError(std::string(What) + ": no such window");
    return *w;
}

TWnd& TWindowStore::Add() {
    auto w = std::make_unique<TWnd>();
    w->Handle = TMessageQueue::Instance().NewWindowHandle();
    TWnd& added = *w;
    FWindows.emplace(added.Handle, std::move(w));
    return added;
}

void TWindowStore::Remove(HWND Wnd) {
    auto it = FWindows.find(Wnd);
    if (it == FWindows.end()) return;
    wintree::Unlink(*it->second);
    if (it->second->InPending) Pending.Erase(Wnd);
    TWnd*& found = FFound[Wnd % FFound.size()];
    if (found == it->second.get()) found = nullptr;
    if (Active == Wnd) Active = 0;
    if (Focus == Wnd) Focus = 0;
    if (FocusHolder == Wnd) FocusHolder = 0;
    if (Capture == Wnd) Capture = 0;
    if (Locked == Wnd) {
        Locked = 0;
        LockCount = 0;
    }
    FWindows.erase(it);
    ++FRemovals;
    TMessageQueue::Instance().ForgetWindow(Wnd);
}

namespace wintree {

namespace {

bool IsTopMost(const TWnd* W) {
    return (W->ExStyle & WS_EX_TOPMOST) != 0;
}

}  // namespace

bool IsTopLevel(const TWnd& W) {
    return W.Parent != nullptr && W.Parent->Parent == nullptr;
}

TWnd& TopLevelOf(TWnd& W) {
    TWnd* w = &W;
    while (w->Parent != nullptr && w->Parent->Parent != nullptr)
        w = w->Parent;
    return *w;
}

void Link(TWnd& Parent, TWnd& W, HWND InsertAfter) {
    std::vector<TWnd*>& list = Parent.Children;
    // Among top-level windows the top-most ones form a band above the others.
    auto bandBegin = list.begin();
    auto bandEnd = list.end();
    if (Parent.Parent == nullptr) {
        auto firstPlain =
            std::find_if(list.begin(), list.end(), [](const TWnd* C) { return !IsTopMost(C); });
        if (IsTopMost(&W))
            bandEnd = firstPlain;
        else
            bandBegin = firstPlain;
    }
    auto at = bandBegin;
    if (InsertAfter == HWND_BOTTOM) {
        at = bandEnd;
    } else if (InsertAfter != HWND_TOP && InsertAfter != HWND_TOPMOST &&
               InsertAfter != HWND_NOTOPMOST) {
        auto after = std::find_if(bandBegin, bandEnd,
                                  [&](const TWnd* C) { return C->Handle == InsertAfter; });
        if (after != bandEnd) at = after + 1;
    }
    list.insert(at, &W);
    W.Parent = &Parent;
    TWindowStore::Instance().LayoutChanged();
}

void Unlink(TWnd& W) {
    if (W.Parent == nullptr) return;
    std::erase(W.Parent->Children, &W);
    W.Parent = nullptr;
    TWindowStore::Instance().LayoutChanged();
}

bool IsAncestor(const TWnd& Ancestor, const TWnd& W) {
    for (const TWnd* p = W.Parent; p != nullptr; p = p->Parent)
        if (p == &Ancestor) return true;
    return false;
}

int32_t Width(const TRect& R) {
    return R.Right - R.Left;
}

int32_t Height(const TRect& R) {
    return R.Bottom - R.Top;
}

TPoint WindowOrigin(const TWnd& W) {
    if (W.Parent == nullptr) return TPoint{W.Bounds.Left, W.Bounds.Top};
    const TPoint parent = ClientOrigin(*W.Parent);
    return Shifted(parent, W.Bounds.Left, W.Bounds.Top);
}

TPoint ClientOrigin(const TWnd& W) {
    const TPoint origin = WindowOrigin(W);
    return Shifted(origin, W.Client.Left, W.Client.Top);
}

TPoint BufferOrigin(const TWnd& W) {
    if (W.Parent == nullptr || IsTopLevel(W)) return TPoint{0, 0};
    const TPoint parent = BufferOrigin(*W.Parent);
    return Shifted(parent, int64_t{W.Parent->Client.Left} + W.Bounds.Left,
                   int64_t{W.Parent->Client.Top} + W.Bounds.Top);
}

TPoint ClientBufferOrigin(const TWnd& W) {
    return Shifted(BufferOrigin(W), W.Client.Left, W.Client.Top);
}

TRect WindowArea(const TWnd& W) {
    return TRect{0, 0, Width(W.Bounds), Height(W.Bounds)};
}

bool IsShowing(const TWnd& W) {
    const TWnd* w = &W;
    for (; w->Parent != nullptr; w = w->Parent) {
        if ((w->Style & WS_VISIBLE) == 0) return false;
        if (w->Parent->Parent == nullptr) return !w->Iconic;
    }
    return false;  // the desktop itself shows nothing of its own
}

bool ShowsWithRedrawOn(const TWnd& W, HWND Locked) {
    // One walk up for what IsShowing asks and for what holds painting back, the desktop's
    // WM_SETREDRAW and lock included.
    const auto holdsBack = [Locked](const TWnd* A) {
        return A->RedrawOff || (Locked != 0 && A->Handle == Locked);
    };
    for (const TWnd* w = &W; w->Parent != nullptr; w = w->Parent) {
        if ((w->Style & WS_VISIBLE) == 0 || holdsBack(w)) return false;
        if (w->Parent->Parent == nullptr) return !w->Iconic && !holdsBack(w->Parent);
    }
    return false;
}

bool CanPaint(const TWnd& W) {
    return ShowsWithRedrawOn(W, TWindowStore::Instance().Locked);
}

std::vector<HWND> ChildHandles(const TWnd& W) {
    std::vector<HWND> handles;
    handles.reserve(W.Children.size());
    for (const TWnd* c : W.Children)
        handles.push_back(c->Handle);
    return handles;
}

}  // namespace wintree

}  // namespace vex
