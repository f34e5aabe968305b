#include <algorithm>
#include <new>
#include <string>

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcParas.h"
#include "components/entry/OvcParasText.h"

namespace vex {

namespace {

// Sets a flag for the life of a scope and puts back what it was.
class TFlagScope {
public:
    TFlagScope(bool& Flag, bool Value) : FFlag(Flag), FWas(Flag) { Flag = Value; }
    ~TFlagScope() { FFlag = FWas; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FWas;
};

// Runs an operation; memory that runs short on the way is error 263. Steps are made so that one
// that fails changes nothing.
template <class F>
uint16_t Guarded(F&& Operation) {
    try {
        return Operation();
    } catch (const std::bad_alloc&) {
        return oeOutOfMemory;
    }
}

int32_t Length(std::string_view S) {
    return static_cast<int32_t>(S.size());
}

}  // namespace

// One operation as the editor sees it: the changed lines it reports cover every step, however
// the operations nest.
class TParaList::TEditScope {
public:
    explicit TEditScope(TParaList& List) : FList(List) {
        if (FList.FEditDepth++ == 0) FList.FChangedFrom = FList.FChangedTo = 0;
    }
    ~TEditScope() { --FList.FEditDepth; }
    TEditScope(const TEditScope&) = delete;
    TEditScope& operator=(const TEditScope&) = delete;

private:
    TParaList& FList;
};

void TParaList::Record(TUndoNode Entry) {
    if (!FUndoing) FUndo->Add(std::move(Entry));
}

void TParaList::EditChars(int32_t Para, int32_t Offset, int32_t OldLen, std::string_view New) {
    TParaNode& node = NodeAt(Para);
    const int32_t lines = node.LineCount();
    const TLineSpan span = node.Edit(Offset, OldLen, New, WrapAt(), FTabSize);
    FLineCount += node.LineCount() - lines;
    FByteCount += Length(New) - OldLen;
    FModified = true;
    Widen(FCache.Line + span.First,
          node.LineCount() == lines ? FCache.Line + span.Last : INT32_MAX);
}

void TParaList::InsertChars(int32_t Para, int32_t Pos, std::string_view S) {
    TUndoNode record(TUndoKind::CharsInserted, FModified, Para, Pos, std::string(S));
    EditChars(Para, Pos - 1, 0, S);
    Record(std::move(record));
    Notify({TParaChangeKind::CharsInserted, Para, Pos, Length(S)});
}

void TParaList::DeleteChars(int32_t Para, int32_t Pos, int32_t Count) {
    TUndoNode record(TUndoKind::CharsDeleted, FModified, Para, Pos,
                     std::string(NodeAt(Para).Text().substr(static_cast<size_t>(Pos - 1),
                                                            static_cast<size_t>(Count))));
    EditChars(Para, Pos - 1, Count, "");
    Record(std::move(record));
    Notify({TParaChangeKind::CharsDeleted, Para, Pos, Count});
}

void TParaList::ReplaceChars(int32_t Para, int32_t Pos, std::string_view Old,
                             std::string_view New) {
    const int32_t oldLength = Length(Old);
    const int32_t newLength = Length(New);
    TUndoNode record(TUndoKind::CharsReplaced, FModified, Para, Pos, std::string(Old),
                     std::string(New));
    EditChars(Para, Pos - 1, oldLength, New);
    Record(std::move(record));
    if (newLength > oldLength)
        Notify({TParaChangeKind::CharsInserted, Para, Pos + oldLength, newLength - oldLength});
    else if (newLength < oldLength)
        Notify({TParaChangeKind::CharsDeleted, Para, Pos + newLength, oldLength - newLength});
}

void TParaList::Link(int32_t Para, std::unique_ptr<TParaNode> Node) {
    TParaNode* before = Para <= FParaCount ? &NodeAt(Para) : nullptr;
    const int32_t line = before ? FCache.Line : FLineCount + 1;
    TParaNode* node = Node.release();
    if (before) {
        node->Next = before;
        node->Prev = before->Prev;
        before->Prev = node;
    } else {
        node->Prev = FLast;
        FLast = node;
    }
    (node->Prev ? node->Prev->Next : FFirst) = node;
    ++FParaCount;
    FLineCount += node->LineCount();
    FByteCount += node->Length() + 2;
    FCache = {node, Para, line};
    Widen(line, INT32_MAX);
    Notify({TParaChangeKind::ParaInserted, Para, 1, 0});
}

std::unique_ptr<TParaNode> TParaList::Unlink(int32_t Para) {
    if (FParaCount == 1) throw EInvalidLineOrPara();
    TParaNode& node = NodeAt(Para);
    const int32_t line = FCache.Line;
    (node.Prev ? node.Prev->Next : FFirst) = node.Next;
    (node.Next ? node.Next->Prev : FLast) = node.Prev;
    FCache = node.Next ? TCache{node.Next, Para, line}
                       : TCache{node.Prev, Para - 1, line - node.Prev->LineCount()};
    node.Next = node.Prev = nullptr;
    --FParaCount;
    FLineCount -= node.LineCount();
    FByteCount -= node.Length() + 2;
    Widen(line, INT32_MAX);
    Notify({TParaChangeKind::ParaDeleted, Para, 1, 0});
    return std::unique_ptr<TParaNode>(&node);
}

void TParaList::InsertNode(int32_t Para, TUndoKind Kind, int32_t Pos,
                           std::unique_ptr<TParaNode> Node) {
    TUndoNode record(Kind, FModified, Para, Pos);
    Link(Kind == TUndoKind::ParaInsertedAfter ? Para + 1 : Para, std::move(Node));
    FModified = true;
    Record(std::move(record));
}

void TParaList::DeleteNode(int32_t Para) {
    TUndoNode record(TUndoKind::ParaDeleted, FModified, Para, 1);
    // Kept for undo by its record; freed here when the record is refused.
    record.OwnedNode = Unlink(Para);
    FModified = true;
    Record(std::move(record));
}

uint16_t TParaList::AppendPara(std::string_view S, bool Trim) {
    const TEditScope scope(*this);
    if (Trim)
        while (!S.empty() && IsBlank(S.back()))
            S.remove_suffix(1);
    if (const uint16_t code = CheckGrowth(0, 1, int64_t{Length(S)} + 2)) return code;
    if (Length(S) > FParaLengthLimit) return oeParaTooLong;
    auto node = std::make_unique<TParaNode>(S, WrapAt(), FTabSize);
    FUndo->Clear();
    Link(FParaCount, std::move(node));
    FCache = {FFirst, 1, 1};
    return 0;
}

uint16_t TParaList::InsertText(int32_t Para, int32_t Pos, std::string_view S) {
    const TEditScope scope(*this);
    CheckPos(Para, Pos);
    if (S.empty()) return 0;
    const int32_t end = NodeAt(Para).Length() + 1;
    const int64_t gap = std::max(Pos - end, 0);
    if (const uint16_t code = CheckGrowth(Para, 0, gap + Length(S))) return code;
    return Guarded([&] {
        InsertChars(Para, std::min(Pos, end), std::string(static_cast<size_t>(gap), ' ') += S);
        return 0;
    });
}

uint16_t TParaList::DeleteText(int32_t Para, int32_t Pos, int32_t Count) {
    const TEditScope scope(*this);
    CheckPos(Para, Pos);
    const int32_t after = NodeAt(Para).Length() - Pos + 1;
    if (after <= 0 || Count <= 0) return 0;
    return Guarded([&] {
        DeleteChars(Para, Pos, std::min(Count, after));
        return 0;
    });
}

uint16_t TParaList::ReplaceText(int32_t Para, int32_t Pos, int32_t Count, std::string_view S) {
    const TEditScope scope(*this);
    CheckPos(Para, Pos);
    const std::string_view text = NodeAt(Para).Text();
    const int32_t end = Length(text) + 1;
    const int32_t at = std::min(Pos, end);
    const std::string_view old =
        text.substr(static_cast<size_t>(at - 1), static_cast<size_t>(std::max(Count, 0)));
    const int64_t gap = Pos - at;
    if (old.empty() && S.empty()) return 0;
    if (const uint16_t code = CheckGrowth(Para, 0, gap + Length(S) - Length(old))) return code;
    return Guarded([&] {
        ReplaceChars(Para, at, old, std::string(static_cast<size_t>(gap), ' ') += S);
        return 0;
    });
}

uint16_t TParaList::InsertPara(int32_t Para, bool After, std::string_view S) {
    const TEditScope scope(*this);
    CheckPara(Para);
    if (const uint16_t code = CheckGrowth(Para, 1, int64_t{Length(S)} + 2)) return code;
    if (Length(S) > FParaLengthLimit) return oeParaTooLong;
    auto node = std::make_unique<TParaNode>(S, WrapAt(), FTabSize);
    const int32_t pos = After ? NodeAt(Para).Length() + 1 : 1;
    InsertNode(Para, After ? TUndoKind::ParaInsertedAfter : TUndoKind::ParaInsertedBefore, pos,
               std::move(node));
    return 0;
}

uint16_t TParaList::DeletePara(int32_t Para) {
    const TEditScope scope(*this);
    CheckPara(Para);
    if (FParaCount == 1) return DeleteText(Para, 1, NodeAt(Para).Length());
    return Guarded([&] {
        DeleteNode(Para);
        return 0;
    });
}

uint16_t TParaList::SplitPara(int32_t Para, int32_t Pos, bool TrimBlanks, std::string_view Indent) {
    const TEditScope scope(*this);
    CheckPos(Para, Pos);
    const std::string_view text = NodeAt(Para).Text();
    const int32_t at = std::min(Pos, Length(text) + 1);
    int32_t from = at;
    if (TrimBlanks)
        while (from > 1 && IsBlank(text[static_cast<size_t>(from - 2)]))
            --from;
    const std::string_view tail = text.substr(static_cast<size_t>(at - 1));
    if (const uint16_t code = CheckGrowth(Para, 1, int64_t{Length(Indent)} + 2)) return code;
    if (Length(Indent) + Length(tail) > FParaLengthLimit) return oeParaTooLong;

    auto node = std::make_unique<TParaNode>(std::string(Indent) += tail, WrapAt(), FTabSize);
    const TUndoGroup group(*FUndo);
    const uint16_t code = Guarded([&] {
        const TFlagScope untracked(FTracking, false);
        if (from <= Length(text)) DeleteChars(Para, from, Length(text) - from + 1);
        InsertNode(Para, TUndoKind::ParaInsertedAfter, at, std::move(node));
        return 0;
    });
    if (code == 0) Notify({TParaChangeKind::ParaSplit, Para, at, Length(Indent)});
    return code;
}

uint16_t TParaList::JoinParas(int32_t Para, int32_t Pos) {
    const TEditScope scope(*this);
    CheckPos(Para, Pos);
    if (Para == FParaCount) return 0;
    const int32_t end = NodeAt(Para).Length() + 1;
    const int32_t at = std::max(Pos, end);
    const int64_t gap = at - end;
    const std::string_view next = NodeAt(Para + 1).Text();
    if (at - 1 + int64_t{Length(next)} > FParaLengthLimit) return oeCannotJoin;
    if (const uint16_t code = CheckGrowth(0, 0, gap - 2)) return code;

    const TUndoGroup group(*FUndo);
    const uint16_t code = Guarded([&] {
        const TFlagScope untracked(FTracking, false);
        const std::string joined = std::string(static_cast<size_t>(gap), ' ') += next;
        if (!joined.empty()) InsertChars(Para, end, joined);
        DeleteNode(Para + 1);
        return 0;
    });
    if (code == 0) Notify({TParaChangeKind::ParasJoined, Para, at, 0});
    return code;
}

uint16_t TParaList::InsertBlock(int32_t& Para, int32_t& Pos, std::string_view Text) {
    const TEditScope scope(*this);
    CheckPos(Para, Pos);
    const TUndoGroup group(*FUndo);
    for (;;) {
        const TLineEnd end = LineEndSearch(Text);
        const std::string_view line = Text.substr(0, end.At);
        if (end.Length == 0) {
            const uint16_t code = InsertText(Para, Pos, line);
            if (code == 0) Pos = ShiftedPos(Pos, Length(line));
            return code;
        }
        // A whole line pasted at a paragraph's start is a paragraph of its own at once.
        uint16_t code = 0;
        if (Pos == 1) {
            code = InsertPara(Para, false, line);
        } else {
            code = InsertText(Para, Pos, line);
            if (code == 0) code = SplitPara(Para, ShiftedPos(Pos, Length(line)), false, "");
        }
        if (code != 0) return code;
        ++Para;
        Pos = 1;
        Text.remove_prefix(end.At + end.Length);
    }
}

uint16_t TParaList::DeleteRange(int32_t Para1, int32_t Pos1, int32_t Para2, int32_t Pos2) {
    const TEditScope scope(*this);
    CheckPos(Para1, Pos1);
    CheckPos(Para2, Pos2);
    if (Para2 < Para1 || (Para2 == Para1 && Pos2 < Pos1)) {
        std::swap(Para1, Para2);
        std::swap(Pos1, Pos2);
    }
    if (Para1 == Para2) return DeleteText(Para1, Pos1, Pos2 - Pos1);

    const TUndoGroup group(*FUndo);
    if (const uint16_t code = DeleteText(Para1, Pos1, INT32_MAX)) return code;
    for (int32_t gone = Para1 + 1; gone < Para2; ++gone)
        if (const uint16_t code = DeletePara(Para1 + 1)) return code;
    if (const uint16_t code = DeleteText(Para1 + 1, 1, Pos2 - 1)) return code;
    return JoinParas(Para1, Pos1);
}

void TParaList::Apply(TUndoNode& Record, bool Forward) {
    const TUndoKind kind = Record.Kind;
    switch (kind) {
        case TUndoKind::CaretMarker:
            break;
        case TUndoKind::CharsInserted:
        case TUndoKind::CharsDeleted:
            if ((kind == TUndoKind::CharsInserted) == Forward)
                InsertChars(Record.Para, Record.Pos, Record.Text);
            else
                DeleteChars(Record.Para, Record.Pos, Length(Record.Text));
            break;
        case TUndoKind::CharsReplaced:
            if (Forward)
                ReplaceChars(Record.Para, Record.Pos, Record.Text, Record.NewText);
            else
                ReplaceChars(Record.Para, Record.Pos, Record.NewText, Record.Text);
            break;
        case TUndoKind::ParaInsertedBefore:
        case TUndoKind::ParaInsertedAfter:
        case TUndoKind::ParaDeleted: {
            // Out of the list the record keeps the paragraph for the way back.
            const int32_t para = Record.Para + (kind == TUndoKind::ParaInsertedAfter);
            if ((kind != TUndoKind::ParaDeleted) == Forward) {
                // The wrap column or tab size may have changed while the record held it.
                Record.OwnedNode->Rewrap(WrapAt(), FTabSize);
                Link(para, std::move(Record.OwnedNode));
            } else
                Record.OwnedNode = Unlink(para);
            break;
        }
    }
}

uint16_t TParaList::ReplayGroup(bool Back, int32_t& Para, int32_t& Pos) {
    const TEditScope scope(*this);
    const auto more = [&] { return Back ? FUndo->CanUndo() : FUndo->CanRedo(); };
    const auto next = [&]() -> TUndoNode& { return Back ? FUndo->LastUndo() : FUndo->NextRedo(); };
    if (!more()) return 0;
    const TFlagScope replaying(FUndoing, true);
    const uint8_t group = next().Group;
    do {
        TUndoNode& record = next();
        // Undone again later, the record must give back the flag the text has now.
        if (!Back) record.Modified = FModified;
        if (const uint16_t code = Guarded([&] {
                Apply(record, !Back);
                return 0;
            }))
            return code;
        Para = record.Para;
        Pos = record.Pos;
        if (Back) {
            FModified = record.Modified;
            FUndo->StepBack();
        } else {
            FModified = FModified || record.Kind != TUndoKind::CaretMarker;
            FUndo->StepForward();
        }
    } while (more() && next().Group == group);
    return 0;
}

uint16_t TParaList::Undo(int32_t& Para, int32_t& Pos) {
    return ReplayGroup(true, Para, Pos);
}

uint16_t TParaList::Redo(int32_t& Para, int32_t& Pos) {
    return ReplayGroup(false, Para, Pos);
}

void TParaList::MarkCaret(int32_t Para, int32_t Pos) {
    CheckPos(Para, Pos);
    Record(TUndoNode(TUndoKind::CaretMarker, FModified, Para, Pos));
}

}  // namespace vex
