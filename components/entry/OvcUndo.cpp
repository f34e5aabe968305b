#include "components/entry/OvcUndo.h"

#include <algorithm>
#include <new>

#include "components/entry/OvcParasMemory.h"

namespace vex {

namespace {

constexpr int32_t HeaderBytes = 16;
constexpr int32_t NodeReferenceBytes = 4;

bool HoldsNode(TUndoKind Kind) {
    return Kind == TUndoKind::ParaInsertedBefore || Kind == TUndoKind::ParaInsertedAfter ||
           Kind == TUndoKind::ParaDeleted;
}

int32_t Length(const std::string& S) {
    return static_cast<int32_t>(S.size());
}

}  // namespace

int32_t TUndoNode::Cost() const {
    if (HoldsNode(Kind)) return HeaderBytes + NodeReferenceBytes;
    if (Kind == TUndoKind::CharsReplaced) return HeaderBytes + Length(Text) + Length(NewText) + 2;
    return HeaderBytes + Length(Text);
}

TUndoBuffer::TUndoBuffer(uint16_t Size) : FSize(Size) {
    for (;;) {
        if (FSize <= HeaderBytes) {
            FSize = 0;
            break;
        }
        try {
            ParaMemoryRequest(FSize);
            // Every record costs at least a header, so the table never grows past this.
            FRecords.reserve(FSize / HeaderBytes);
            break;
        } catch (const std::bad_alloc&) {
            FSize = static_cast<uint16_t>(FSize - FSize / 2);
        }
    }
    FFree = FSize;
}

bool TUndoBuffer::Add(TUndoNode Record) {
    try {
        if (!FGrouping && CanUndo() && Merge(Record)) return true;
    } catch (const std::bad_alloc&) {
        // A record that cannot be kept whole must not be replayed in part.
        Clear();
        FOverflowed = FGrouping;
        return false;
    }
    if (!FGrouping) NewGroup();
    if (!Reserve(Record.Cost())) return false;
    Record.Group = FGroup;
    FFree -= Record.Cost();
    FRecords.push_back(std::move(Record));
    FCurrent = FRecords.size();
    return true;
}

bool TUndoBuffer::Merge(const TUndoNode& Record) {
    TUndoNode& last = LastUndo();
    if (last.Kind != Record.Kind || last.Para != Record.Para) return false;
    const int32_t added = Length(Record.Text) + Length(Record.NewText);
    // Typing goes on where the text the last record put in ends: for a replacement its new text,
    // which need not be as long as what it replaced.
    const std::string& put = last.Kind == TUndoKind::CharsReplaced ? last.NewText : last.Text;
    const bool typingOn = Record.Pos == last.Pos + Length(put);
    const bool deletingForward = Record.Pos == last.Pos;
    const bool deletingBack = Record.Pos + Length(Record.Text) == last.Pos;
    switch (Record.Kind) {
        case TUndoKind::CharsInserted:
        case TUndoKind::CharsReplaced:
            if (!typingOn) return false;
            break;
        case TUndoKind::CharsDeleted:
            if (!deletingForward && !deletingBack) return false;
            break;
        default:
            return false;
    }
    DropRedo();
    if (added > FFree) return false;
    FFree -= added;
    if (Record.Kind == TUndoKind::CharsDeleted && !deletingForward) {
        last.Text.insert(0, Record.Text);
        last.Pos = Record.Pos;
    } else {
        last.Text += Record.Text;
        last.NewText += Record.NewText;
    }
    return true;
}

bool TUndoBuffer::Reserve(int32_t Bytes) {
    if (FGrouping && FOverflowed) return false;
    if (Bytes > FSize) {
        Clear();
        FOverflowed = FGrouping;
        return false;
    }
    DropRedo();
    if (FFree >= Bytes) return true;

    const int32_t wanted = std::max<int32_t>(Bytes, FSize / 16);
    size_t gone = 0;
    int32_t freed = FFree;
    while (freed < wanted && gone < FRecords.size()) {
        const uint8_t group = FRecords[gone].Group;
        for (; gone < FRecords.size() && FRecords[gone].Group == group; ++gone)
            freed += FRecords[gone].Cost();
    }
    if (gone == FRecords.size()) {
        Clear();
        FOverflowed = FGrouping;
        return !FGrouping;
    }
    FRecords.erase(FRecords.begin(), FRecords.begin() + static_cast<std::ptrdiff_t>(gone));
    FCurrent = FRecords.size();
    FFree = freed;
    return true;
}

void TUndoBuffer::NewGroup() {
    // Numbers wrap at 256; the record before a new group must never look like one of it.
    ++FGroup;
    if (CanUndo() && LastUndo().Group == FGroup) ++FGroup;
}

void TUndoBuffer::DropRedo() {
    for (size_t i = FCurrent; i < FRecords.size(); ++i)
        FFree += FRecords[i].Cost();
    FRecords.erase(FRecords.begin() + static_cast<std::ptrdiff_t>(FCurrent), FRecords.end());
}

bool TUndoBuffer::BeginGroup() {
    const bool was = FGrouping;
    if (!was) {
        NewGroup();
        FGrouping = true;
        FOverflowed = false;
    }
    return was;
}

void TUndoBuffer::EndGroup(bool WasGrouping) {
    FGrouping = WasGrouping;
    if (!WasGrouping) FOverflowed = false;
}

void TUndoBuffer::StepBack() {
    if (CanUndo()) --FCurrent;
}

void TUndoBuffer::StepForward() {
    if (CanRedo()) ++FCurrent;
}

void TUndoBuffer::Clear() {
    FRecords.clear();
    FCurrent = 0;
    FFree = FSize;
}

void TUndoBuffer::MarkAllModified() {
    for (TUndoNode& record : FRecords)
        record.Modified = true;
}

}  // namespace vex
