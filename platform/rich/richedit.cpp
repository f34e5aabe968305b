#include "platform/rich/richedit.h"

#include <algorithm>

#include "platform/rich/richeditview.h"
#include "platform/rich/richfind.h"
#include "platform/rich/richplaintext.h"
#include "platform/rich/richstreams.h"
#include "platform/rich/rtfwriter.h"
#include "platform/ui/editmessages.h"
#include "platform/win/caret.h"
#include "platform/win/clipboard.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/windowstyles.h"
#include "platform/win/windowtree.h"

namespace vex {

namespace {

// What the user may type into a control whose MaxLength is 0, as the platform's control.
constexpr int32_t kDefaultLimit = 32767;

// The notices the framework's control asks for when its window is made.
constexpr uint32_t kFrameworkNotices =
    ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED | ENM_REQUESTRESIZE;

bool IsProtected(const TRichDocument& Document, int32_t Position) {
    if (Position < 0 || Position >= Document.Length()) return false;
    int32_t offset = 0;
    const TRichParagraph& paragraph = Document.Paragraph(Document.Locate(Position, offset));
    if (offset >= paragraph.Length()) return false;  // a paragraph end
    return Document.CharFormats()[paragraph.FormatAt(offset, 0)].Protected;
}

// An edit touches protected text when it removes some of it, or puts text inside it.
bool TouchesProtected(const TRichDocument& Document, int32_t Start, int32_t Length) {
    if (Length == 0) return IsProtected(Document, Start - 1) && IsProtected(Document, Start);
    for (int32_t p = Start; p < Start + Length; ++p)
        if (IsProtected(Document, p)) return true;
    return false;
}

}  // namespace

TCustomRichEdit::TView::TView(TRichDocument& ADocument)
    : Document(ADocument), Layout(ADocument), Links(ADocument), Formatter(ADocument) {
    Document.AddListener(this);
}

TCustomRichEdit::TView::~TView() {
    Document.RemoveListener(this);
}

void TCustomRichEdit::TView::ParagraphsChanged(int32_t First, int32_t Removed, int32_t Inserted) {
    if (!Editing) {
        LinesBefore = -1;  // what the next edit moves is not known
        if (Repaint) Repaint();
        return;
    }
    // Paragraphs after the change keep their place in the dirty range by the shift.
    if (DirtyFirst < 0) {
        DirtyFirst = First;
        DirtyEnd = First + Inserted;
        return;
    }
    if (DirtyEnd > First + Removed) DirtyEnd += Inserted - Removed;
    DirtyEnd = std::max(DirtyEnd, First + Inserted);
    DirtyFirst = std::min(DirtyFirst, First);
}

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

// --- Properties -----------------------------------------------------------------------------

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
    UpdateScrollBars();
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

void TCustomRichEdit::FormatsChanged(bool Everything) {
    // A format changes the lines it touches like any edit; the defaults change them all.
    if (Everything) Invalidate();
    AfterEdit(false);
}

// --- The window -----------------------------------------------------------------------------

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
    FEventMask |= kFrameworkNotices;
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
    if (!HandleAllocated() || GetClipboardOwner() != Handle()) return;
    if (SaveClipboard(FView->ClipboardObjects, FView->ClipboardChars)) return;
    const TOpenClipboard clipboard(Handle());
    if (clipboard.Open()) EmptyClipboard();
}

void TCustomRichEdit::Resize() {
    if (!FView->FormatRectSet) {
        FView->FormatRect = DefaultFormattingRect();
        UpdateWrapWidth();
        Invalidate();
    }
    SetTopY(FView->TopY);
    UpdateScrollBars();
    UpdateCaret();
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

void TCustomRichEdit::DoEnter() {
    TCustomControl::DoEnter();
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
        case WM_LBUTTONUP:
            NotifyLink(Message, MessagePoint(Message.LParam));
            MouseUpNative();
            TCustomControl::DefaultHandler(Message);
            return;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            NotifyLink(Message, MessagePoint(Message.LParam));
            TCustomControl::DefaultHandler(Message);
            return;
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
        case WM_DESTROY:
            ReleaseClipboard();
            TCustomControl::DefaultHandler(Message);
            return;
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

// --- Notices --------------------------------------------------------------------------------

void TCustomRichEdit::LinkNotify(const TENLink&) {}

bool TCustomRichEdit::ProtectedChange(const TENProtected& Change) {
    bool allow = false;
    if (OnProtectChange) OnProtectChange(this, Change.Range.CpMin, Change.Range.CpMax, allow);
    return allow;
}

void TCustomRichEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomRichEdit::SelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::RequestSize(const TRect& Rect) {
    if (OnResizeRequest) OnResizeRequest(this, Rect);
}

bool TCustomRichEdit::SaveClipboard(int32_t NumObjects, int32_t NumChars) {
    bool save = true;
    if (OnSaveClipboard) OnSaveClipboard(this, NumObjects, NumChars, save);
    return save;
}

void TCustomRichEdit::CheckSelectionChange() {
    TView& view = *FView;
    if (view.ToldSelStart == FEngine.SelStart() && view.ToldSelLength == FEngine.SelLength())
        return;
    view.ToldSelStart = FEngine.SelStart();
    view.ToldSelLength = FEngine.SelLength();
    if ((FEventMask & ENM_SELCHANGE) != 0) SelectionChange();
}

bool TCustomRichEdit::AfterEdit(bool Whole) {
    TView& view = *FView;
    view.Editing = false;
    // The engine's selection after an edit is a caret, or what undo gave back.
    view.Anchor = FEngine.SelStart();
    view.Caret = FEngine.SelStart() + FEngine.SelLength();
    view.GoalX = -1;
    if (Whole) {
        view.TopY = view.ScrollX = 0;
        view.DirtyFirst = view.LinesBefore = -1;
        Invalidate();
    } else {
        InvalidateChanged();
    }
    ScrollCaret();
    const std::weak_ptr<const void> life = LifeToken();
    const int32_t height = view.Layout.Height();
    if (view.ToldHeight != height) {
        view.ToldHeight = height;
        if ((FEventMask & ENM_REQUESTRESIZE) != 0) {
            const TRect client = ClientRect();
            RequestSize(Rect(client.Left, client.Top, client.Right, client.Top + height));
            if (life.expired()) return false;
        }
    }
    if (view.UpdateCount > 0) {
        view.ChangePending = true;
    } else if ((FEventMask & ENM_CHANGE) != 0) {
        Change();
        if (life.expired()) return false;
    }
    CheckSelectionChange();
    return !life.expired();
}

// --- Edits ----------------------------------------------------------------------------------

bool TCustomRichEdit::UserMayReplace(int32_t Start, int32_t Length, int64_t& Inserted,
                                     const TMessage& Cause) {
    if (FReadOnly) return false;
    const TRichDocument& document = FEngine.Document();
    if ((FEventMask & ENM_PROTECTED) != 0 && TouchesProtected(document, Start, Length)) {
        const TENProtected change{Cause.Msg, Cause.WParam, Cause.LParam,
                                  TCharRange{Start, Start + Length}};
        if (!ProtectedChange(change)) return false;
    }
    // The program may have set more text than the user could type; the user may still delete.
    const int64_t room = std::max<int64_t>(int64_t{Limit()} - (document.Length() - Length), 0);
    if (Inserted > room) {
        if (room == 0) return false;
        Inserted = room;
    }
    return true;
}

void TCustomRichEdit::ObjectsLeaving(int32_t Start, int32_t Length) {
    if (FOleCallback == nullptr || Length <= 0) return;
    const TRichDocument& document = FEngine.Document();
    int32_t offset = 0;
    int32_t at = Start;
    for (int32_t i = document.Locate(Start, offset);
         i < document.ParagraphCount() && at < Start + Length; ++i) {
        const TRichParagraph& paragraph = document.Paragraph(i);
        int32_t runStart = document.ParagraphStart(i);
        for (const TRichRun& run : paragraph.Runs) {
            if (run.Object != 0 && runStart >= Start && runStart < Start + Length)
                if (IRichObject* object = document.Object(run.Object))
                    CallBack([&](IRichEditOleCallback& C) { return C.DeleteObject(*object); });
            runStart += run.Length;
        }
        at = runStart + 1;
    }
}

void TCustomRichEdit::ProgramReplace(int32_t Start, int32_t Length, std::string_view Text,
                                     bool CanUndo) {
    ObjectsLeaving(Start, Length);
    FView->Editing = true;
    FEngine.SetSel(Start, Length);
    FEngine.ReplaceSelection(Text, CanUndo);
    AfterEdit(false);
}

// --- Selection ------------------------------------------------------------------------------

int32_t TCustomRichEdit::SelStart() const {
    return FEngine.SelStart();
}

void TCustomRichEdit::SetSelStart(int32_t Value) {
    Select(Value, Value);
}

int32_t TCustomRichEdit::SelLength() const {
    return FEngine.SelLength();
}

void TCustomRichEdit::SetSelLength(int32_t Value) {
    const int32_t start = FEngine.SelStart();
    const int64_t end = std::clamp<int64_t>(int64_t{start} + Value, 0, INT32_MAX);
    Select(start, static_cast<int32_t>(end));
}

std::string TCustomRichEdit::SelText() const {
    return FEngine.SelText();
}

void TCustomRichEdit::SetSelText(const std::string& Value) {
    ProgramReplace(FEngine.SelStart(), FEngine.SelLength(), Value, true);
}

void TCustomRichEdit::SelectAll() {
    Select(0, FEngine.TextLength());
}

TCharRange TCustomRichEdit::GetSelection() const {
    return TCharRange{FEngine.SelStart(), FEngine.SelStart() + FEngine.SelLength()};
}

void TCustomRichEdit::SetSelection(TCharRange Range) {
    if (Range.CpMax < 0) Range.CpMax = FEngine.TextLength();
    Select(Range.CpMin, Range.CpMax);
}

uint16_t TCustomRichEdit::SelectionType() const {
    const int32_t length = FEngine.SelLength();
    if (length == 0) return SEL_EMPTY;
    const TRichFragment piece = FEngine.Document().Extract(FEngine.SelStart(), length);
    int32_t objects = 0;
    int32_t chars = 0;
    for (size_t i = 0; i < piece.Paragraphs.size(); ++i) {
        for (const TRichRun& run : piece.Paragraphs[i].Runs)
            (run.Object != 0 ? objects : chars) += run.Length;
        if (i + 1 < piece.Paragraphs.size()) ++chars;
    }
    uint16_t type = 0;
    if (chars > 0) type |= chars > 1 ? SEL_TEXT | SEL_MULTICHAR : SEL_TEXT;
    if (objects > 0) type |= objects > 1 ? SEL_OBJECT | SEL_MULTIOBJECT : SEL_OBJECT;
    return type;
}

std::string TCustomRichEdit::GetTextRange(int32_t Start, int32_t End) const {
    if (End < 0) End = FEngine.TextLength();
    return FEngine.Document().Text(Start, std::max(End - Start, 0));
}

IRichObject* TCustomRichEdit::SelectedObject() const {
    if (FEngine.SelLength() != 1) return nullptr;
    const TRichDocument& document = FEngine.Document();
    int32_t offset = 0;
    const TRichParagraph& paragraph =
        document.Paragraph(document.Locate(FEngine.SelStart(), offset));
    int32_t at = 0;
    for (const TRichRun& run : paragraph.Runs) {
        if (at == offset) return run.Object != 0 ? document.Object(run.Object) : nullptr;
        at += run.Length;
        if (at > offset) break;
    }
    return nullptr;
}

bool TCustomRichEdit::InsertObject(std::shared_ptr<IRichObject> Object) {
    if (Object == nullptr) return false;
    const HRESULT answer = CallBack(
        [&](IRichEditOleCallback& C) { return C.QueryInsertObject(*Object, FEngine.SelStart()); });
    if (FOleCallback != nullptr && answer != S_OK) return false;
    ObjectsLeaving(FEngine.SelStart(), FEngine.SelLength());
    FView->Editing = true;
    FEngine.InsertObject(std::move(Object));
    AfterEdit(false);
    return true;
}

// --- Undo and the rest ----------------------------------------------------------------------

bool TCustomRichEdit::CanUndo() const {
    return FEngine.CanUndo();
}

bool TCustomRichEdit::CanRedo() const {
    return FEngine.CanRedo();
}

void TCustomRichEdit::Undo() {
    if (!FEngine.CanUndo()) return;
    FView->Editing = true;
    FEngine.Undo();
    AfterEdit(false);
}

void TCustomRichEdit::Redo() {
    if (!FEngine.CanRedo()) return;
    FView->Editing = true;
    FEngine.Redo();
    AfterEdit(false);
}

void TCustomRichEdit::ClearUndo() {
    FEngine.ClearUndo();
}

void TCustomRichEdit::ClearSelection() {
    RunAction(TEditAction::Clear, false, TMessage{WM_CLEAR, 0, 0, 0});
}

void TCustomRichEdit::Clear() {
    SetText("");
}

// --- Lines ----------------------------------------------------------------------------------

int32_t TCustomRichEdit::GetLineCount() const {
    return FView->Layout.LineCount();
}

int32_t TCustomRichEdit::LineIndex(int32_t Line) const {
    if (Line < 0) Line = FView->Layout.LineFromChar(FView->Caret);
    return FView->Layout.LineIndex(Line);
}

int32_t TCustomRichEdit::LineLength(int32_t Position) const {
    const TRichLayout& layout = FView->Layout;
    if (Position < 0) Position = FView->Caret;
    if (Position > FEngine.TextLength()) return 0;
    return layout.Line(layout.LineFromChar(Position)).Length;
}

std::string TCustomRichEdit::GetLine(int32_t Line) const {
    const TRichLayout& layout = FView->Layout;
    if (Line < 0 || Line >= layout.LineCount()) return {};
    const TRichLineInfo info = layout.Line(Line);
    std::string text = FEngine.Document().Text(info.Start, info.Length);
    if (info.EndsParagraph && info.Paragraph + 1 < FEngine.Document().ParagraphCount())
        text += '\r';
    return text;
}

int32_t TCustomRichEdit::LineFromChar(int32_t Position) const {
    return FView->Layout.LineFromChar(Position < 0 ? FEngine.SelStart() : Position);
}

int32_t TCustomRichEdit::FirstVisibleLine() const {
    return FView->Layout.LineAtY(FView->TopY);
}

// --- Streams, finding, printing -------------------------------------------------------------

void TCustomRichEdit::StreamIn(std::string_view Bytes, uint32_t Format) {
    const bool selection = (Format & SFF_SELECTION) != 0;
    FView->Editing = true;
    try {
        if ((Format & SF_RTF) != 0)
            LoadRtf(FEngine, Bytes, selection);
        else
            LoadPlainText(FEngine, Bytes, selection);
    } catch (...) {
        FView->Editing = false;
        FView->DirtyFirst = -1;
        throw;
    }
    if (!selection) FEngine.SetSel(0, 0);
    AfterEdit(!selection);
}

std::string TCustomRichEdit::StreamOut(uint32_t Format) const {
    const TRichDocument& document = FEngine.Document();
    const bool selection = (Format & SFF_SELECTION) != 0;
    const int32_t start = selection ? FEngine.SelStart() : 0;
    const int32_t count = selection ? FEngine.SelLength() : FEngine.TextLength();
    if ((Format & SF_RTF) != 0) return WriteRtf(document, start, count);
    return PlainTextOf(document, start, count);
}

int32_t TCustomRichEdit::FindText(const std::string& Text, int32_t Start, int32_t End,
                                  uint32_t Options) {
    return vex::FindText(FEngine.Document(), Text, Start, End, Options);
}

int32_t TCustomRichEdit::FormatRange(const TFormatRange* Range, bool Render) {
    if (Range == nullptr) {
        FView->Formatter.Release();
        return 0;
    }
    return FView->Formatter.Format(*Range, Render, AutoUrlDetect() ? &FView->Links : nullptr);
}

}  // namespace vex
