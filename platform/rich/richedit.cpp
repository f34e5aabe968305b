#include "platform/rich/richedit.h"

#include <algorithm>

#include "platform/rich/richeditview.h"
#include "platform/ui/editmessages.h"
#include "platform/win/application.h"
#include "platform/win/caret.h"
#include "platform/win/clipboard.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// What the user may type into a control whose MaxLength is 0, as the platform's control.
constexpr int32_t kDefaultLimit = 32767;

// The notices the framework's control asks for when its window is made.
constexpr uint32_t kFrameworkNotices =
    ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED | ENM_REQUESTRESIZE;

}  // namespace

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomControl(AOwner),
      FLines(std::make_unique<TRichEditStrings>(*this)),
      FSelAttributes(std::make_unique<TTextAttributes>(*this, TTextAttributes::atSelected)),
      FDefAttributes(std::make_unique<TTextAttributes>(*this, TTextAttributes::atDefaultText)),
      FParagraph(std::make_unique<TParaAttributes>(*this)),
      FView(std::make_unique<TView>(FEngine.Document())) {
    FControlStyle.Include(csCaptureMouse);
    FControlStyle.Include(csDoubleClicks);
    FControlStyle.Include(csOpaque);
    FView->Repaint = [this] { Invalidate(); };
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(crIBeam);
    FView->FormatRect = DefaultFormattingRect();
    UpdateWrapWidth();
}

TCustomRichEdit::~TCustomRichEdit() {
    FDestroying = true;
    // A window that outlives this class is destroyed without its WM_DESTROY reaching us.
    ReleaseClipboard();
    FView->Repaint = nullptr;
}

const TRichLayout& TCustomRichEdit::Layout() const {
    return FView->Layout;
}

const TRichLinks& TCustomRichEdit::Links() const {
    return FView->Links;
}

void TCustomRichEdit::SetLines(const TStrings& Value) {
    FLines->Assign(&Value);
}

std::string TCustomRichEdit::Text() const {
    return FEngine.Text();
}

void TCustomRichEdit::SetText(const std::string& Value) {
    FView->Editing = true;
    FEngine.SetText(Value);
    AfterEdit(true);
}

void TCustomRichEdit::SetPlainText(bool Value) {
    FEngine.SetPlainText(Value);
    Invalidate();
    ScrollCaret();
}

bool TCustomRichEdit::PlainText() const {
    return FEngine.PlainText();
}

void TCustomRichEdit::SetHideSelection(bool Value) {
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    Invalidate();
}

void TCustomRichEdit::SetHideScrollBars(bool Value) {
    if (FHideScrollBars == Value) return;
    FHideScrollBars = Value;
    RecreateWnd();
}

void TCustomRichEdit::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    RecreateWnd();
}

void TCustomRichEdit::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    FView->ScrollX = 0;
    UpdateWrapWidth();
    Invalidate();
    FollowLayout();
}

void TCustomRichEdit::SetMaxLength(int32_t Value) {
    FMaxLength = std::max(Value, 0);
}

int32_t TCustomRichEdit::Limit() const {
    return FMaxLength > 0 ? FMaxLength : kDefaultLimit;
}

void TCustomRichEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (!HandleAllocated()) return;
    const LONG_PTR style = GetWindowLong(Handle(), GWL_STYLE);
    SetWindowLong(Handle(), GWL_STYLE,
                  Value ? style | ES_READONLY : style & ~LONG_PTR{ES_READONLY});
}

bool TCustomRichEdit::Modified() const {
    return FEngine.Modified();
}

void TCustomRichEdit::SetModified(bool Value) {
    FEngine.SetModified(Value);
}

void TCustomRichEdit::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomRichEdit::SetEventMask(uint32_t Value) {
    FEventMask = Value;
}

bool TCustomRichEdit::AutoUrlDetect() const {
    return FView->Links.Enabled();
}

void TCustomRichEdit::SetAutoUrlDetect(bool Value) {
    if (FView->Links.Enabled() == Value) return;
    FView->Links.SetEnabled(Value);
    Invalidate();
}

void TCustomRichEdit::SetSelAttributes(const TTextAttributes& Value) {
    FSelAttributes->Assign(&Value);
}

void TCustomRichEdit::SetDefAttributes(const TTextAttributes& Value) {
    FDefAttributes->Assign(&Value);
}

void TCustomRichEdit::ChangeFormats(const std::function<void()>& Apply, bool Defaults) {
    if (Defaults) {
        // The defaults are no step of the text: nothing to tell, only what shows changes.
        Apply();
        Invalidate();
        ScrollCaret();
        return;
    }
    FView->Editing = true;
    try {
        Apply();
    } catch (...) {
        FView->Editing = false;
        throw;
    }
    AfterEdit(false);
}

void TCustomRichEdit::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN | ES_MULTILINE;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
    if (!FHideScrollBars) Params.Style |= ES_DISABLENOSCROLL;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TCustomRichEdit::CreateWnd() {
    FView->CaretMade = false;
    TCustomControl::CreateWnd();
    // The mask is the window's: a new window starts from the framework's own notices, and a
    // descendant adds what it wants after this.
    FEventMask = kFrameworkNotices;
    FView->Bars[SB_HORZ] = FView->Bars[SB_VERT] = TView::TBarValues{};
    if (!FView->FormatRectSet) FView->FormatRect = DefaultFormattingRect();
    UpdateWrapWidth();
    UpdateScrollBars();
}

void TCustomRichEdit::DestroyWnd() {
    if (FView->CaretMade) {
        DestroyCaret();
        FView->CaretMade = false;
    }
    TCustomControl::DestroyWnd();
}

void TCustomRichEdit::ReleaseClipboard() {
    // What the control put on the clipboard goes with its window unless it is to be kept.
    // The handler, asked as the window goes, may free the control: its destructor, coming here
    // again, must not ask a second time.
    if (FView->ReleasingClipboard || !HandleAllocated() || GetClipboardOwner() != Handle()) return;
    const HWND window = Handle();
    FView->ReleasingClipboard = true;
    const struct TEndReleasing {
        TView& View;
        std::weak_ptr<const void> Life;
        ~TEndReleasing() {
            if (!Life.expired()) View.ReleasingClipboard = false;
        }
    } endReleasing{*FView, LifeToken()};
    bool save = true;
    try {
        save = SaveClipboard(FView->ClipboardObjects, FView->ClipboardChars);
    } catch (...) {
        // Thrown while the window or the control goes, where no caller could take it: it is
        // reported, and what is on the clipboard stays.
        Application().HandleException(endReleasing.Life.expired() ? nullptr : this);
    }
    if (save) return;
    const TOpenClipboard clipboard(window);
    if (clipboard.Open()) EmptyClipboard();
}

void TCustomRichEdit::Resize() {
    if (!FView->FormatRectSet) {
        FView->FormatRect = DefaultFormattingRect();
        UpdateWrapWidth();
        Invalidate();
    }
    FollowLayout();
    TCustomControl::Resize();
}

void TCustomRichEdit::CMFontChanged(TMessage& Message) {
    TCustomControl::CMFontChanged(Message);
    FDefAttributes->Assign(&Font());
    if (FView->CaretMade) {
        DestroyCaret();
        FView->CaretMade = false;
    }
    UpdateCaret();
}

void TCustomRichEdit::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
        case WM_GETTEXTLENGTH:
            Message.Result = static_cast<LRESULT>(Text().size());
            return;
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<char*>(Message.LParam);
            Message.Result = 0;
            if (buffer == nullptr || Message.WParam == 0) return;
            const std::string text = Text();
            const size_t count = std::min<size_t>(Message.WParam - 1, text.size());
            std::copy_n(text.data(), count, buffer);
            buffer[count] = '\0';
            Message.Result = static_cast<LRESULT>(count);
            return;
        }
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const char*>(Message.LParam);
            SetText(text != nullptr ? text : "");
            Message.Result = 1;
            return;
        }
        case WM_GETDLGCODE:
            Message.Result = DialogCode();
            return;
        case WM_KEYDOWN:
            KeyDownNative(Message);
            return;
        case WM_CHAR:
            CharNative(Message);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseDownNative(Message, Message.Msg == WM_LBUTTONDBLCLK);
            return;
        case WM_MOUSEMOVE:
            MouseMoveNative(Message);
            return;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP: {
            const std::weak_ptr<const void> life = LifeToken();
            NotifyLink(Message, MessagePoint(Message.LParam));
            if (!life.expired()) TCustomControl::DefaultHandler(Message);
            return;
        }
        case WM_LBUTTONUP: {
            // A link's handler may free the control (opening the link closes its window).
            const std::weak_ptr<const void> life = LifeToken();
            NotifyLink(Message, MessagePoint(Message.LParam));
            if (life.expired()) return;
            MouseUpNative();
            TCustomControl::DefaultHandler(Message);
            return;
        }
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            MouseUpNative();
            TCustomControl::DefaultHandler(Message);
            return;
        case WM_TIMER:
            AutoScrollTick();
            return;
        case WM_SETCURSOR:
            if (!SetCursorNative(Message)) TCustomControl::DefaultHandler(Message);
            return;
        case WM_VSCROLL:
            VScrollNative(Message);
            return;
        case WM_HSCROLL:
            HScrollNative(Message);
            return;
        case WM_MOUSEWHEEL:
            WheelNative(Message);
            return;
        case WM_CONTEXTMENU:
            ContextMenuNative(Message);
            return;
        case WM_CUT:
            RunAction(TEditAction::Cut, false, Message);
            return;
        case WM_COPY:
            RunAction(TEditAction::Copy, false, Message);
            return;
        case WM_PASTE:
            RunAction(TEditAction::Paste, false, Message);
            return;
        case WM_CLEAR:
            RunAction(TEditAction::Clear, false, Message);
            return;
        case WM_UNDO:
            RunAction(TEditAction::Undo, false, Message);
            return;
        case WM_DESTROY: {
            // The clipboard's handler may free the control as its window goes.
            const std::weak_ptr<const void> life = LifeToken();
            ReleaseClipboard();
            if (!life.expired()) TCustomControl::DefaultHandler(Message);
            return;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The caret and a hidden selection show only while the control has the focus.
            if (Message.Msg == WM_KILLFOCUS && FView->CaretMade) {
                DestroyCaret();
                FView->CaretMade = false;
            }
            UpdateCaret();
            if (FHideSelection) InvalidateRange(FView->Anchor, FView->Caret);
            TCustomControl::DefaultHandler(Message);
            return;
        default:
            TCustomControl::DefaultHandler(Message);
    }
}

}  // namespace vex
