#include <algorithm>

#include "platform/rich/richedit.h"
#include "platform/rich/richeditview.h"
#include "platform/ui/editmessages.h"

namespace vex {

namespace {

bool IsProtected(const TRichDocument& Document, int32_t Position) {
    if (Position < 0 || Position >= Document.Length()) return false;
    int32_t offset = 0;
    const TRichParagraph& paragraph = Document.Paragraph(Document.Locate(Position, offset));
    if (offset >= paragraph.Length()) return false;  // a paragraph end
    return Document.CharFormats()[paragraph.FormatAt(offset, 0)].Protected;
}

// Visits the runs that hold characters of [Start, Start + Length) until Visit answers true;
// answers whether it did.
template <typename TVisit>
bool AnyRunIn(const TRichDocument& Document, int32_t Start, int32_t Length, TVisit Visit) {
    const int32_t end = Start + Length;
    int32_t offset = 0;
    const int32_t first = Document.Locate(Start, offset);
    int32_t paragraphStart = Start - offset;
    for (int32_t i = first; i < Document.ParagraphCount() && paragraphStart < end; ++i) {
        const TRichParagraph& paragraph = Document.Paragraph(i);
        int32_t runStart = paragraphStart;
        for (const TRichRun& run : paragraph.Runs) {
            if (runStart + run.Length > Start && runStart < end && Visit(run)) return true;
            runStart += run.Length;
        }
        paragraphStart += paragraph.Length() + 1;
    }
    return false;
}

// An edit touches protected text when it removes some of it, or puts text inside it.
bool TouchesProtected(const TRichDocument& Document, int32_t Start, int32_t Length) {
    if (Length == 0) return IsProtected(Document, Start - 1) && IsProtected(Document, Start);
    return AnyRunIn(Document, Start, Length, [&](const TRichRun& Run) {
        return Document.CharFormats()[Run.Format].Protected;
    });
}

}  // namespace

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
    // While the lines are updated the selection is told once, at the end.
    if (view.UpdateCount > 0) return;
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
        SetTopY(view.TopY);  // a shorter text leaves no empty page at the bottom
    }
    ScrollCaret();
    // While the lines are updated every notice waits for the end: a list's whole change is a
    // clear and an add, and the list must still be there for the add.
    if (view.UpdateCount > 0) {
        view.ChangePending = true;
        return true;
    }
    const std::weak_ptr<const void> life = LifeToken();
    if (!CheckHeightChange()) return false;
    if ((FEventMask & ENM_CHANGE) != 0) {
        Change();
        if (life.expired()) return false;
    }
    CheckSelectionChange();
    return !life.expired();
}

bool TCustomRichEdit::CheckHeightChange() {
    TView& view = *FView;
    const int32_t height = view.Layout.Height();
    if (view.ToldHeight == height) return true;
    view.ToldHeight = height;
    if ((FEventMask & ENM_REQUESTRESIZE) == 0) return true;
    const std::weak_ptr<const void> life = LifeToken();
    const TRect client = ClientRect();
    RequestSize(Rect(client.Left, client.Top, client.Right, client.Top + height));
    return !life.expired();
}

bool TCustomRichEdit::UserMayReplace(int32_t Start, int32_t Length, int64_t& Inserted,
                                     const TMessage& Cause) {
    if (FReadOnly) return false;
    const TRichDocument& document = FEngine.Document();
    if ((FEventMask & ENM_PROTECTED) != 0 && TouchesProtected(document, Start, Length)) {
        const TENProtected change{Cause.Msg, Cause.WParam, Cause.LParam,
                                  TCharRange{Start, Start + Length}};
        const std::weak_ptr<const void> life = LifeToken();
        const uint64_t changes = FView->Changes;
        const TCharRange selection = GetSelection();
        if (!ProtectedChange(change) || life.expired()) return false;
        // A handler that edited the text or moved the selection has made the range asked
        // about stale: the edit would land elsewhere, on text nobody was asked about.
        if (FView->Changes != changes || GetSelection() != selection) return false;
    }
    // The program may have set more text than the user could type; the user may still delete.
    const int64_t room = std::max<int64_t>(int64_t{Limit()} - (document.Length() - Length), 0);
    if (Inserted > room) {
        if (room == 0) return false;
        Inserted = room;
    }
    return true;
}

bool TCustomRichEdit::ObjectsLeaving(int32_t Start, int32_t Length) {
    if (FOleCallback == nullptr || Length <= 0) return true;
    const TRichDocument& document = FEngine.Document();
    const std::weak_ptr<const void> life = LifeToken();
    AnyRunIn(document, Start, Length, [&](const TRichRun& Run) {
        if (IRichObject* object = Run.Object != 0 ? document.Object(Run.Object) : nullptr)
            CallBack([&](IRichEditOleCallback& C) { return C.DeleteObject(*object); });
        return life.expired();
    });
    return !life.expired();
}

int32_t TCustomRichEdit::ObjectsIn(int32_t Start, int32_t Length) const {
    int32_t objects = 0;
    AnyRunIn(FEngine.Document(), Start, Length, [&](const TRichRun& Run) {
        objects += Run.Object != 0 ? 1 : 0;
        return false;
    });
    return objects;
}

void TCustomRichEdit::ProgramReplace(int32_t Start, int32_t Length, std::string_view Text,
                                     bool CanUndo) {
    if (!ObjectsLeaving(Start, Length)) return;
    FView->Editing = true;
    FEngine.SetSel(Start, Length);
    FEngine.ReplaceSelection(Text, CanUndo);
    AfterEdit(false);
}

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

}  // namespace vex
