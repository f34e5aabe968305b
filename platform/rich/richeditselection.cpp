#include <algorithm>

#include "platform/rich/richedit.h"
#include "platform/rich/richeditview.h"

namespace vex {

int32_t TCustomRichEdit::SelStart() const {
    return FEngine.SelStart();
}

// A selection the program sets starts Up and Down afresh from its own caret's column.
void TCustomRichEdit::ProgramSelect(int32_t Anchor, int32_t Caret) {
    FView->GoalX = -1;
    Select(Anchor, Caret);
}

void TCustomRichEdit::SetSelStart(int32_t Value) {
    ProgramSelect(Value, Value);
}

int32_t TCustomRichEdit::SelLength() const {
    return FEngine.SelLength();
}

void TCustomRichEdit::SetSelLength(int32_t Value) {
    const int32_t start = FEngine.SelStart();
    const int64_t end = std::clamp<int64_t>(int64_t{start} + Value, 0, INT32_MAX);
    ProgramSelect(start, static_cast<int32_t>(end));
}

std::string TCustomRichEdit::SelText() const {
    return FEngine.SelText();
}

void TCustomRichEdit::SetSelText(const std::string& Value) {
    ProgramReplace(FEngine.SelStart(), FEngine.SelLength(), Value, true);
}

void TCustomRichEdit::SelectAll() {
    ProgramSelect(0, FEngine.TextLength());
}

TCharRange TCustomRichEdit::GetSelection() const {
    return TCharRange{FEngine.SelStart(), FEngine.SelStart() + FEngine.SelLength()};
}

void TCustomRichEdit::SetSelection(TCharRange Range) {
    if (Range.CpMax < 0) Range.CpMax = FEngine.TextLength();
    ProgramSelect(Range.CpMin, Range.CpMax);
}

uint16_t TCustomRichEdit::SelectionType() const {
    const int32_t length = FEngine.SelLength();
    if (length == 0) return SEL_EMPTY;
    const int32_t objects = ObjectsIn(FEngine.SelStart(), length);
    const int32_t chars = length - objects;
    uint16_t type = 0;
    if (chars > 0) type |= chars > 1 ? SEL_TEXT | SEL_MULTICHAR : SEL_TEXT;
    if (objects > 0) type |= objects > 1 ? SEL_OBJECT | SEL_MULTIOBJECT : SEL_OBJECT;
    return type;
}

std::string TCustomRichEdit::GetTextRange(int32_t Start, int32_t End) const {
    const int32_t length = FEngine.TextLength();
    if (End < 0) End = length;
    Start = std::clamp(Start, 0, length);
    End = std::clamp(End, Start, length);
    return FEngine.Document().Text(Start, End - Start);
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
    const std::weak_ptr<const void> life = LifeToken();
    const HRESULT answer = CallBack(
        [&](IRichEditOleCallback& C) { return C.QueryInsertObject(*Object, FEngine.SelStart()); });
    if (life.expired() || (FOleCallback != nullptr && answer != S_OK)) return false;
    if (!ObjectsLeaving(FEngine.SelStart(), FEngine.SelLength())) return false;
    FView->Editing = true;
    FEngine.InsertObject(std::move(Object));
    AfterEdit(false);
    return true;
}

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

}  // namespace vex
