#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/entry/OvcParasNode.h"
#include "platform/core/object.h"

namespace vex {

// What an undo record remembers.
enum class TUndoKind : uint8_t {
    CaretMarker = 0,         // only where the caret was
    CharsInserted = 1,       // Text was inserted at Pos
    ParaInsertedBefore = 2,  // a paragraph was inserted as paragraph Para
    ParaInsertedAfter = 3,   // a paragraph was inserted after paragraph Para
    CharsDeleted = 4,        // Text was deleted from Pos
    ParaDeleted = 5,         // paragraph Para was taken out of the list
    CharsReplaced = 6,       // Text at Pos was replaced by NewText
};

// One record of the undo buffer. The paragraph a record of kind 2, 3 or 5 names is either in the
// list, which then owns it and finds it by number, or out of the list and owned here: by a
// deleted paragraph's record until that is undone, by an inserted paragraph's record after that
// is undone. Dropping a record therefore frees exactly the paragraphs no list holds.
struct TUndoNode {
    TUndoNode(TUndoKind Kind, bool Modified, int32_t Para, int32_t Pos, std::string Text = {},
              std::string NewText = {})
        : Kind(Kind),
          Modified(Modified),
          Para(Para),
          Pos(Pos),
          Text(std::move(Text)),
          NewText(std::move(NewText)) {}

    TUndoKind Kind;
    bool Modified;      // the list's Modified flag before the change
    uint8_t Group = 0;  // records of one group are undone and redone together
    int32_t Para;
    int32_t Pos;
    std::string Text;
    std::string NewText;
    std::unique_ptr<TParaNode> OwnedNode;  // the paragraph, while no list holds it

    // The bytes the record takes in the buffer: its data and 16 bytes besides. A node counts
    // as the 4-byte reference it was; a replacement as both texts, each with a terminating zero.
    int32_t Cost() const;
};

// The undo history: records back to back in a budget of Size bytes, those before the current
// point to be undone, those after it to be redone. An operation made of several changes opens a
// group so that they go back and forth as one. When the budget runs out the oldest groups go;
// a group that cannot be kept whole is not kept at all.
class TUndoBuffer : public TObject {
    VEX_CLASS(TUndoBuffer, TObject)

public:
    // Sizes of 16 bytes or less keep no history. When the memory cannot be had the size is
    // halved, the kept half rounded up, until it can.
    explicit TUndoBuffer(uint16_t Size);

    uint16_t Size() const { return FSize; }
    int32_t FreeBytes() const { return FFree; }
    uint16_t UndoCount() const { return static_cast<uint16_t>(FCurrent); }
    uint16_t RedoCount() const { return static_cast<uint16_t>(FRecords.size() - FCurrent); }
    bool CanUndo() const { return FCurrent > 0; }
    bool CanRedo() const { return FCurrent < FRecords.size(); }

    // Merges Record into the last one when it continues it (typing on, deleting on, typing
    // over on; never inside a group), else adds it as a record of its own group or of the open
    // group. Either way the redo records go. False when it was refused; a node it owned is then
    // freed.
    bool Add(TUndoNode Record);

    // Opens a group unless one is open; EndGroup with what BeginGroup returned restores the
    // state before, so that nested operations stay in the outer group.
    bool BeginGroup();
    void EndGroup(bool WasGrouping);

    // The record the next Undo replays, and the one the next Redo replays; StepBack and
    // StepForward move the current point over them once replayed.
    TUndoNode& LastUndo() { return FRecords.at(FCurrent - 1); }
    const TUndoNode& LastUndo() const { return FRecords.at(FCurrent - 1); }
    TUndoNode& NextRedo() { return FRecords.at(FCurrent); }
    void StepBack();
    void StepForward();

    void Clear();
    // Marks every record as made while the text was modified: what clearing the list's
    // Modified flag does, so that undoing a change from before a save modifies the text again.
    void MarkAllModified();

private:
    // Makes Bytes free for a new record, discarding redo records and then the oldest groups.
    bool Reserve(int32_t Bytes);
    bool Merge(const TUndoNode& Record);
    void NewGroup();
    void DropRedo();

    uint16_t FSize = 0;
    int32_t FFree = 0;
    std::vector<TUndoNode> FRecords;
    size_t FCurrent = 0;  // records before it can be undone
    uint8_t FGroup = 0;
    bool FGrouping = false;
    bool FOverflowed = false;  // the open group lost records, so it keeps none
};

// Keeps a group open for one operation made of several changes.
class TUndoGroup {
public:
    explicit TUndoGroup(TUndoBuffer& Buffer) : FBuffer(Buffer), FWas(Buffer.BeginGroup()) {}
    ~TUndoGroup() { FBuffer.EndGroup(FWas); }

    TUndoGroup(const TUndoGroup&) = delete;
    TUndoGroup& operator=(const TUndoGroup&) = delete;

private:
    TUndoBuffer& FBuffer;
    bool FWas;
};

}  // namespace vex
