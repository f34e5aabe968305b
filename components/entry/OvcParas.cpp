#include "components/entry/OvcParas.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "components/entry/OvcErrors.h"
#include "components/entry/OvcParasText.h"
#include "components/entry/OvcTexts.h"

namespace vex {

namespace {

// A re-wrap of more text than this shows the hourglass.
constexpr int32_t LongRewrapBytes = 10000;

// Tells the owner that a long re-wrap runs, for as long as it does.
class TBusy {
public:
    TBusy(TParaListOwner* Owner, bool Long) : FOwner(Long ? Owner : nullptr) {
        if (FOwner) FOwner->ParaListBusy(true);
    }
    ~TBusy() {
        if (FOwner) FOwner->ParaListBusy(false);
    }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    TParaListOwner* FOwner;
};

}  // namespace

std::string EditorErrorText(uint16_t Code) {
    static constexpr struct {
        uint16_t Code;
        uint16_t Ident;
    } Texts[] = {{oeOutOfMemory, scOutOfMemory},   {oeRegionTooLarge, scRegionTooLarge},
                 {oeTooManyParas, scTooManyParas}, {oeCannotJoin, scCannotJoin},
                 {oeTooManyBytes, scTooManyBytes}, {oeParaTooLong, scParaTooLong}};
    for (const auto& text : Texts)
        if (text.Code == Code) return GetOvcString(text.Ident);
    return GetOvcString(scUnknownError);
}

bool TrackPosition(const TParaChange& Change, int32_t& Para, int32_t& Pos) {
    switch (Change.Kind) {
        case TParaChangeKind::CharsInserted:
            if (Para == Change.Para && Pos >= Change.Pos) Pos = ShiftedPos(Pos, Change.Count);
            break;
        case TParaChangeKind::CharsDeleted:
            if (Para != Change.Para || Pos < Change.Pos) break;
            if (Pos - Change.Pos < Change.Count) return false;
            Pos -= Change.Count;
            break;
        case TParaChangeKind::ParaInserted:
            if (Para >= Change.Para) ++Para;
            break;
        case TParaChangeKind::ParaDeleted:
            if (Para == Change.Para) return false;
            if (Para > Change.Para) --Para;
            break;
        case TParaChangeKind::ParaSplit:
            if (Para == Change.Para && Pos >= Change.Pos) {
                ++Para;
                Pos = ShiftedPos(Pos - (Change.Pos - 1), Change.Count);
            } else if (Para > Change.Para) {
                ++Para;
            }
            break;
        case TParaChangeKind::ParasJoined:
            if (Para == Change.Para + 1) {
                Para = Change.Para;
                Pos = ShiftedPos(Pos, int64_t{Change.Pos} - 1);
            } else if (Para > Change.Para + 1) {
                --Para;
            }
            break;
    }
    return true;
}

TParaList::TParaList(TParaListOwner* Owner, bool WordWrap, uint16_t UndoBufferSize)
    : FOwner(Owner), FWordWrap(WordWrap), FUndo(std::make_unique<TUndoBuffer>(UndoBufferSize)) {
    FFirst = FLast = std::make_unique<TParaNode>("", 0, FTabSize).release();
    FParaCount = 1;
    FLineCount = 1;
    FCache = {FFirst, 1, 1};
}

TParaList::~TParaList() {
    // One at a time: a chain of owners would free a long text recursively.
    while (FFirst) {
        TParaNode* next = FFirst->Next;
        delete FFirst;
        FFirst = next;
    }
}

void TParaList::SetParaLimit(int32_t Value) {
    if (Value > 0) FParaLimit = Value;
}

void TParaList::SetByteLimit(int32_t Value) {
    if (Value >= 0) FByteLimit = Value;
}

void TParaList::SetParaLengthLimit(int32_t Value) {
    if (Value >= 1 && Value <= 32767) FParaLengthLimit = Value;
}

void TParaList::SetWordWrap(bool Value) {
    if (Value == FWordWrap) return;
    FWordWrap = Value;
    Rewrap();
}

void TParaList::SetWrapColumn(int32_t Value) {
    if (Value < 1 || Value == FWrapColumn) return;
    FWrapColumn = Value;
    if (FWordWrap) Rewrap();
}

void TParaList::SetTabSize(uint8_t Value) {
    if (Value == 0 || Value == FTabSize) return;
    FTabSize = Value;
    if (FWordWrap) Rewrap();
}

void TParaList::Rewrap() {
    const TBusy busy(FOwner, FByteCount > LongRewrapBytes);
    FCache = {FFirst, 1, 1};
    bool shortOfMemory = false;
    for (TParaNode* node = FFirst; node && !shortOfMemory; node = node->Next) {
        const int32_t before = node->LineCount();
        try {
            node->Rewrap(WrapAt(), FTabSize);
        } catch (const std::bad_alloc&) {
            shortOfMemory = true;
        }
        FLineCount += node->LineCount() - before;
    }
    // The paragraphs wrapped so far keep their new lines, which the editors must see.
    if (FOwner) FOwner->ParaListRewrapped();
    if (shortOfMemory) throw EOutOfMemory(GetOvcString(scOutOfMemory));
}

void TParaList::SetModified(bool Value) {
    FModified = Value;
    if (!Value) FUndo->MarkAllModified();
}

void TParaList::SetUndoBufferSize(uint16_t Value) {
    FUndo = std::make_unique<TUndoBuffer>(Value);
}

void TParaList::CheckPara(int32_t Para) const {
    if (Para < 1 || Para > FParaCount) throw EInvalidLineOrPara();
}

void TParaList::CheckPos(int32_t Para, int32_t Pos) const {
    CheckPara(Para);
    if (Pos < 1) throw EInvalidLineOrCol();
}

TParaNode& TParaList::NodeAt(int32_t Para) const {
    CheckPara(Para);
    // Walk from whichever of the first paragraph, the last one looked up and the last one is
    // nearest; an editor mostly asks for the same paragraph or a neighbour.
    TCache at = FCache;
    if (std::abs(Para - 1) < std::abs(Para - at.Para)) at = {FFirst, 1, 1};
    if (std::abs(FParaCount - Para) < std::abs(Para - at.Para))
        at = {FLast, FParaCount, FLineCount - FLast->LineCount() + 1};
    for (; at.Para < Para; ++at.Para) {
        at.Line += at.Node->LineCount();
        at.Node = at.Node->Next;
    }
    for (; at.Para > Para; --at.Para) {
        at.Node = at.Node->Prev;
        at.Line -= at.Node->LineCount();
    }
    FCache = at;
    return *at.Node;
}

TParaNode& TParaList::NodeOfLine(int32_t Line) const {
    if (Line < 1 || Line > FLineCount) throw EInvalidLineOrPara();
    TCache at = FCache;
    if (std::abs(Line - 1) < std::abs(Line - at.Line)) at = {FFirst, 1, 1};
    const int32_t lastLine = FLineCount - FLast->LineCount() + 1;
    if (std::abs(lastLine - Line) < std::abs(Line - at.Line)) at = {FLast, FParaCount, lastLine};
    while (Line >= at.Line + at.Node->LineCount()) {
        at.Line += at.Node->LineCount();
        at.Node = at.Node->Next;
        ++at.Para;
    }
    while (Line < at.Line) {
        at.Node = at.Node->Prev;
        at.Line -= at.Node->LineCount();
        --at.Para;
    }
    FCache = at;
    return *at.Node;
}

std::string_view TParaList::ParaText(int32_t Para) const {
    return NodeAt(Para).Text();
}

std::string_view TParaList::LineText(int32_t Line) const {
    const TParaNode& node = NodeOfLine(Line);
    return node.LineText(Line - FCache.Line);
}

void TParaList::ParaToLine(int32_t Para, int32_t Pos, int32_t& Line, int32_t& Col) const {
    if (Pos < 1) throw EInvalidLineOrCol();
    const TParaNode& node = NodeAt(Para);
    const int32_t line = node.LineOf(Pos - 1);
    Line = FCache.Line + line;
    Col = Pos - node.LineStart(line);
}

void TParaList::LineToPara(int32_t Line, int32_t Col, int32_t& Para, int32_t& Pos) const {
    if (Col < 1) throw EInvalidLineOrCol();
    const TParaNode& node = NodeOfLine(Line);
    Para = FCache.Para;
    Pos = ShiftedPos(Col, node.LineStart(Line - FCache.Line));
}

uint16_t TParaList::CheckLimits(int32_t Para, int32_t ParasToAdd, int32_t BytesToAdd) const {
    if (Para < 0 || Para > FParaCount) throw EInvalidLineOrPara();
    return CheckGrowth(Para, ParasToAdd, BytesToAdd);
}

uint16_t TParaList::CheckGrowth(int32_t Para, int64_t ParasToAdd, int64_t BytesToAdd) const {
    if (ParasToAdd > 0 || Para > FParaLimit) {
        // An empty last paragraph is the one a loaded file ends in, and is not held against it.
        const bool spare = FLast->Length() == 0 && FParaLimit != INT32_MAX;
        if (int64_t{FParaLimit} + spare < FParaCount + ParasToAdd) return oeTooManyParas;
    }
    if (FByteCount + BytesToAdd > FByteLimit) return oeTooManyBytes;
    if (Para != 0 && ParasToAdd == 0 && NodeAt(Para).Length() + BytesToAdd > FParaLengthLimit)
        return oeParaTooLong;
    return 0;
}

void TParaList::SetBookmark(int32_t Index, int32_t Para, int32_t Pos) {
    if (Index < 0 || Index >= static_cast<int32_t>(FBookmarks.size())) return;
    if (Para != 0) CheckPos(Para, Pos);
    FBookmarks[static_cast<size_t>(Index)] = Para == 0 ? TBookmark{} : TBookmark{Para, Pos};
}

void TParaList::SetBookmarkAt(int32_t Index, int32_t Line, int32_t Col) {
    int32_t para = 0;
    int32_t pos = 0;
    LineToPara(Line, Col, para, pos);
    SetBookmark(Index, para, pos);
}

TBookmark TParaList::Bookmark(int32_t Index) const {
    if (Index < 0 || Index >= static_cast<int32_t>(FBookmarks.size())) return {};
    return FBookmarks[static_cast<size_t>(Index)];
}

void TParaList::Widen(int32_t From, int32_t To) {
    FChangedFrom = FChangedFrom == 0 ? From : std::min(FChangedFrom, From);
    FChangedTo = std::max(FChangedTo, To);
}

void TParaList::Notify(const TParaChange& Change) {
    if (!FTracking) return;
    for (TBookmark& mark : FBookmarks)
        if (mark.Para != 0 && !TrackPosition(Change, mark.Para, mark.Pos)) mark = {};
    if (FOwner) FOwner->ParaListChanged(Change);
}

}  // namespace vex
