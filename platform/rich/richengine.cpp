#include "platform/rich/richengine.h"

#include "platform/rich/richplaintext.h"

namespace vex {

namespace {

// Piece with each run's character format replaced by Map(number); text, objects and paragraph
// formats stay.
template <typename TMap>
TRichFragment WithCharFormats(const TRichFragment& Piece, TMap Map) {
    TRichFragment mapped;
    mapped.Paragraphs.clear();
    for (const TRichParagraph& paragraph : Piece.Paragraphs) {
        TRichParagraph& made = mapped.Paragraphs.emplace_back();
        made.Format = paragraph.Format;
        int32_t at = 0;
        for (const TRichRun& run : paragraph.Runs) {
            const int32_t format = Map(run.Format);
            if (run.Object)
                made.AppendObject(format, run.Object);
            else
                made.Append(std::string_view(paragraph.Text).substr(at, run.Length), format);
            at += run.Length;
        }
    }
    return mapped;
}

}  // namespace

void TRichEditEngine::SetSel(int32_t Start, int32_t Length) {
    FDocument.Clamp(Start, Length);
    FSelStart = Start;
    FSelLength = Length;
    FTypingFormat.reset();
    FUndo.CloseTyping();
}

std::string TRichEditEngine::SelText() const {
    return PlainTextOf(FDocument, FSelStart, FSelLength);
}

std::string TRichEditEngine::GetTextRange(int32_t Start, int32_t Length) const {
    return PlainTextOf(FDocument, Start, Length);
}

std::string TRichEditEngine::Text() const {
    return PlainTextOf(FDocument);
}

void TRichEditEngine::SetText(std::string_view Value) {
    FDocument.Clear();
    FDocument.Replace(
        0, 0,
        PlainTextFragment(Value, FDocument.DefaultCharFormat(), FDocument.DefaultParaFormat()));
    FUndo.Clear();
    FModified = false;
    SetSel(0, 0);
}

void TRichEditEngine::Clear() {
    SetText("");
}

int32_t TRichEditEngine::TypingFormat(int32_t At) const {
    return FTypingFormat ? *FTypingFormat : FDocument.CharFormatForTyping(At);
}

TRichFragment TRichEditEngine::Formatted(std::string_view Text, int32_t At) const {
    int32_t offset = 0;
    const int32_t paragraph = FDocument.Locate(At, offset);
    return PlainTextFragment(Text, TypingFormat(At), FDocument.Paragraph(paragraph).Format);
}

TRichFragment TRichEditEngine::Unformatted(const TRichFragment& Piece) const {
    TRichFragment plain =
        WithCharFormats(Piece, [&](int32_t) { return FDocument.DefaultCharFormat(); });
    for (TRichParagraph& paragraph : plain.Paragraphs)
        paragraph.Format = FDocument.DefaultParaFormat();
    return plain;
}

void TRichEditEngine::Replace(int32_t Start, int32_t Length, const TRichFragment& With,
                              bool CanUndo) {
    FDocument.Clamp(Start, Length);
    TRichFragment plain;
    if (FPlainText) plain = Unformatted(With);
    const TRichFragment& piece = FPlainText ? plain : With;
    TRichUndoStep step;
    if (CanUndo) step.Before = FDocument.Extract(Start, Length);
    FDocument.Replace(Start, Length, piece);
    if (CanUndo) {
        step.Start = Start;
        step.After = piece;
        FUndo.Add(std::move(step));
    } else {
        FUndo.Clear();
    }
    FModified = true;
    FSelStart = Start + static_cast<int32_t>(piece.Length());
    FSelLength = 0;
    FTypingFormat.reset();
}

void TRichEditEngine::ReplaceSelection(std::string_view Text, bool CanUndo) {
    Replace(FSelStart, FSelLength, Formatted(Text, FSelStart), CanUndo);
}

void TRichEditEngine::ReplaceSelection(const TRichFragment& With, bool CanUndo) {
    Replace(FSelStart, FSelLength, With, CanUndo);
}

void TRichEditEngine::Type(std::string_view Chars) {
    TRichFragment typed = Formatted(Chars, FSelStart);
    if (FPlainText) typed = Unformatted(typed);
    if (FSelLength == 0 && FUndo.JoinTyping(FSelStart, typed)) {
        FDocument.Replace(FSelStart, 0, typed);
    } else {
        TRichUndoStep step;
        step.Typing = true;
        step.Start = FSelStart;
        step.Before = FDocument.Extract(FSelStart, FSelLength);
        FDocument.Replace(FSelStart, FSelLength, typed);
        step.After = typed;
        FUndo.Add(std::move(step));
    }
    FModified = true;
    FSelStart += static_cast<int32_t>(typed.Length());
    FSelLength = 0;
}

void TRichEditEngine::InsertObject(std::shared_ptr<IRichObject> Object) {
    TRichFragment object;
    object.Paragraphs[0].AppendObject(TypingFormat(FSelStart),
                                      FDocument.AddObject(std::move(Object)));
    Replace(FSelStart, FSelLength, object, true);
}

const TRichCharFormat& TRichEditEngine::DefaultCharFormat() const {
    return FDocument.CharFormats()[FDocument.DefaultCharFormat()];
}

void TRichEditEngine::SetDefaultCharFormat(const TRichCharFormat& Format) {
    FDocument.SetDefaultCharFormat(Format);
    if (FPlainText) SetPlainText(true);
}

void TRichEditEngine::SetPlainText(bool Value) {
    FPlainText = Value;
    if (!Value) return;
    const int32_t start = FSelStart, length = FSelLength;
    FDocument.Replace(0, TextLength(), Unformatted(FDocument.Extract(0, TextLength())));
    FDocument.SetParagraphFormat(FDocument.ParagraphCount() - 1, FDocument.DefaultParaFormat());
    FUndo.Clear();
    SetSel(start, length);
}

TRichCharFormat TRichEditEngine::SelCharFormat(uint32_t& Mask) const {
    Mask = CFM_ALL;
    if (FSelLength == 0) return FDocument.CharFormats()[TypingFormat(FSelStart)];
    const TRichFragment piece = FDocument.Extract(FSelStart, FSelLength);
    const TRichCharFormat* first = nullptr;
    for (const TRichParagraph& paragraph : piece.Paragraphs) {
        for (const TRichRun& run : paragraph.Runs) {
            const TRichCharFormat& format = FDocument.CharFormats()[run.Format];
            if (!first)
                first = &format;
            else
                Mask &= ~first->Differences(format);
        }
    }
    return first ? *first : DefaultCharFormat();
}

void TRichEditEngine::ApplyCharFormat(int32_t Start, int32_t Length, const TRichCharFormat& Format,
                                      uint32_t Mask) {
    TCharFormatPool& pool = FDocument.CharFormats();
    const TRichFragment changed =
        WithCharFormats(FDocument.Extract(Start, Length), [&](int32_t Number) {
            TRichCharFormat format = pool[Number];
            format.Assign(Format, Mask);
            format.Normalize(DefaultCharFormat().Charset);
            return pool.Intern(format);
        });
    const int32_t start = FSelStart, length = FSelLength;
    Replace(Start, Length, changed, true);
    FSelStart = start;
    FSelLength = length;
}

void TRichEditEngine::SetSelCharFormat(const TRichCharFormat& Format, uint32_t Mask) {
    if (FPlainText) {
        TRichCharFormat format = DefaultCharFormat();
        format.Assign(Format, Mask);
        SetDefaultCharFormat(format);
        return;
    }
    if (FSelLength > 0) {
        ApplyCharFormat(FSelStart, FSelLength, Format, Mask);
        return;
    }
    TRichCharFormat format = FDocument.CharFormats()[TypingFormat(FSelStart)];
    format.Assign(Format, Mask);
    format.Normalize(DefaultCharFormat().Charset);
    FTypingFormat = FDocument.CharFormats().Intern(format);
}

void TRichEditEngine::ParagraphRange(int32_t& First, int32_t& Last) const {
    if (FPlainText) {
        First = 0;
        Last = FDocument.ParagraphCount() - 1;
        return;
    }
    int32_t offset = 0;
    First = FDocument.Locate(FSelStart, offset);
    Last = FDocument.Locate(FSelStart + FSelLength, offset);
}

TRichParaFormat TRichEditEngine::SelParaFormat(uint32_t& Mask) const {
    int32_t first = 0, last = 0;
    ParagraphRange(first, last);
    const TParaFormatPool& pool = FDocument.ParaFormats();
    const TRichParaFormat& format = pool[FDocument.Paragraph(first).Format];
    Mask = PFM_ALL;
    for (int32_t i = first + 1; i <= last; ++i)
        Mask &= ~format.Differences(pool[FDocument.Paragraph(i).Format]);
    return format;
}

void TRichEditEngine::SetSelParaFormat(const TRichParaFormat& Format, uint32_t Mask) {
    int32_t first = 0, last = 0;
    ParagraphRange(first, last);
    TRichUndoStep step;
    step.FirstParagraph = first;
    TParaFormatPool& pool = FDocument.ParaFormats();
    for (int32_t i = first; i <= last; ++i) {
        const int32_t before = FDocument.Paragraph(i).Format;
        TRichParaFormat format = pool[before];
        format.Assign(Format, Mask);
        const int32_t after = pool.Intern(format);
        FDocument.SetParagraphFormat(i, after);
        step.FormatsBefore.push_back(before);
        step.FormatsAfter.push_back(after);
    }
    FUndo.Add(std::move(step));
    FModified = true;
}

void TRichEditEngine::Undo() {
    if (FUndo.Undo(FDocument, FSelStart, FSelLength)) FModified = true;
    FTypingFormat.reset();
}

void TRichEditEngine::Redo() {
    if (FUndo.Redo(FDocument, FSelStart, FSelLength)) FModified = true;
    FTypingFormat.reset();
}

}  // namespace vex
