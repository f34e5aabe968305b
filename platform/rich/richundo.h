#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/rich/richparagraph.h"

namespace vex {

class TRichDocument;

// One step that can be taken back and again: either text (with its formats) in place of other
// text, or paragraph formats in place of others.
struct TRichUndoStep {
    bool Typing = false;  // later typing right after it joins it
    int32_t Start = 0;
    TRichFragment Before, After;
    int32_t FirstParagraph = -1;  // >= 0 for a change of paragraph formats
    std::vector<int32_t> FormatsBefore, FormatsAfter;
};

// The last 100 steps: a new step forgets what could be redone, and the oldest is dropped when a
// 101st comes.
class TRichUndoList {
public:
    static constexpr size_t Levels = 100;

    void Add(TRichUndoStep Step);
    // Typing at Start joins the last step when that was typing that ended at Start.
    bool JoinTyping(int32_t Start, const TRichFragment& Typed);
    // Ends the running typing step, so the next keystroke starts a step of its own.
    void CloseTyping() { FTypingOpen = false; }
    bool CanUndo() const { return !FUndo.empty(); }
    bool CanRedo() const { return !FRedo.empty(); }
    // Apply the step to Document and answer the selection it leaves (start, length).
    bool Undo(TRichDocument& Document, int32_t& SelStart, int32_t& SelLength);
    bool Redo(TRichDocument& Document, int32_t& SelStart, int32_t& SelLength);
    void Clear();

private:
    // Takes the last step of From, applies it and keeps it in To.
    bool Move(std::deque<TRichUndoStep>& From, std::deque<TRichUndoStep>& To, bool Backwards,
              TRichDocument& Document, int32_t& SelStart, int32_t& SelLength);

    std::deque<TRichUndoStep> FUndo, FRedo;
    bool FTypingOpen = false;
};

}  // namespace vex
