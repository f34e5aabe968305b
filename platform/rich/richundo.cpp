#include "platform/rich/richundo.h"

#include "platform/rich/richdocument.h"

namespace vex {

namespace {

// Puts one side of a step in place of the other and answers where the new side lies.
void Apply(TRichDocument& Document, const TRichUndoStep& Step, bool Backwards, int32_t& SelStart,
           int32_t& SelLength) {
    if (Step.FirstParagraph >= 0) {
        const std::vector<int32_t>& formats = Backwards ? Step.FormatsBefore : Step.FormatsAfter;
        for (size_t i = 0; i < formats.size(); ++i)
            Document.SetParagraphFormat(Step.FirstParagraph + static_cast<int32_t>(i), formats[i]);
        SelStart = Document.ParagraphStart(Step.FirstParagraph);
        SelLength = 0;
        return;
    }
    const TRichFragment& from = Backwards ? Step.After : Step.Before;
    const TRichFragment& to = Backwards ? Step.Before : Step.After;
    Document.Replace(Step.Start, static_cast<int32_t>(from.Length()), to);
    SelStart = Step.Start;
    SelLength = static_cast<int32_t>(to.Length());
}

}  // namespace

void TRichUndoList::Add(TRichUndoStep Step) {
    FRedo.clear();
    FTypingOpen = Step.Typing;
    FUndo.push_back(std::move(Step));
    if (FUndo.size() > Levels) FUndo.pop_front();
}

bool TRichUndoList::JoinTyping(int32_t Start, const TRichFragment& Typed) {
    if (!FTypingOpen || FUndo.empty()) return false;
    TRichUndoStep& last = FUndo.back();
    if (!last.Typing || last.Start + last.After.Length() != Start) return false;
    last.After.Append(Typed);
    return true;
}

bool TRichUndoList::Undo(TRichDocument& Document, int32_t& SelStart, int32_t& SelLength) {
    return Move(FUndo, FRedo, true, Document, SelStart, SelLength);
}

bool TRichUndoList::Redo(TRichDocument& Document, int32_t& SelStart, int32_t& SelLength) {
    return Move(FRedo, FUndo, false, Document, SelStart, SelLength);
}

bool TRichUndoList::Move(std::deque<TRichUndoStep>& From, std::deque<TRichUndoStep>& To,
                         bool Backwards, TRichDocument& Document, int32_t& SelStart,
                         int32_t& SelLength) {
    if (From.empty()) return false;
    FTypingOpen = false;
    Apply(Document, From.back(), Backwards, SelStart, SelLength);
    To.push_back(std::move(From.back()));
    From.pop_back();
    return true;
}

void TRichUndoList::Clear() {
    FUndo.clear();
    FRedo.clear();
    FTypingOpen = false;
}

}  // namespace vex
