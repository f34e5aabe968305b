#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "components/entry/OvcParasNode.h"
#include "components/entry/OvcUndo.h"
#include "platform/core/object.h"

namespace vex {

// What an editing operation of the paragraph list returns besides 0 for success.
inline constexpr uint16_t oeOutOfMemory = 263;
inline constexpr uint16_t oeRegionTooLarge = 264;
inline constexpr uint16_t oeTooManyParas = 265;
inline constexpr uint16_t oeCannotJoin = 266;
inline constexpr uint16_t oeTooManyBytes = 267;
inline constexpr uint16_t oeParaTooLong = 268;

// The text the editor shows for an error code; "Unknown Error condition" for any other code.
std::string EditorErrorText(uint16_t Code);

enum class TParaChangeKind {
    CharsInserted,  // Count characters at Pos of Para
    CharsDeleted,   // Count characters from Pos of Para
    ParaInserted,   // a paragraph became number Para
    ParaDeleted,    // paragraph Para went
    ParaSplit,      // Para was split at Pos; the new paragraph starts with Count blanks
    ParasJoined,    // the paragraph after Para joined it at Pos
};

// A change that positions in the text follow: the bookmarks, and the caret, selection and top
// line of every editor that shares the list.
struct TParaChange {
    TParaChangeKind Kind;
    int32_t Para;
    int32_t Pos;
    int32_t Count;
};

// Moves Para and Pos along with the text they point at. False when that text was deleted: a
// bookmark there is cleared.
bool TrackPosition(const TParaChange& Change, int32_t& Para, int32_t& Pos);

// The editors that share a paragraph list, as the list sees them: the first of their ring,
// which passes each note on to the others.
class TParaListOwner {
public:
    virtual ~TParaListOwner() = default;
    // Every paragraph was wrapped anew, so line numbers and scroll ranges are not what they were.
    virtual void ParaListRewrapped() = 0;
    // A re-wrap long enough to show the hourglass for begins (True) or ends (False).
    virtual void ParaListBusy(bool Busy) = 0;
    virtual void ParaListChanged(const TParaChange& Change) = 0;
};

struct TBookmark {
    int32_t Para = 0;  // 0: not set
    int32_t Pos = 0;
};

// The text behind the paragraph editor: paragraphs (lines of a file without their line ends),
// each broken into display lines when wrapping is on; the limits on its size; ten bookmarks;
// and the undo history. Paragraphs, display lines (counted over the whole text) and positions
// within a paragraph count from 1. Editing operations check the limits before they change
// anything and return 0 or one of the codes above; numbers outside the text raise
// EInvalidLineOrPara, positions and columns below 1 EInvalidLineOrCol.
//
// A new list holds one empty paragraph, which stays the last while a file is appended, so a
// file of N lines makes N + 1 paragraphs. The byte count is what the text takes in a file: the
// paragraphs' lengths and a CR LF for every paragraph but one.
class TParaList : public TObject {
    VEX_CLASS(TParaList, TObject)

public:
    TParaList(TParaListOwner* Owner, bool WordWrap, uint16_t UndoBufferSize);
    ~TParaList() override;

    TParaList(const TParaList&) = delete;
    TParaList& operator=(const TParaList&) = delete;

    TParaListOwner* Owner() const { return FOwner; }
    void SetOwner(TParaListOwner* Value) { FOwner = Value; }

    int32_t ParaCount() const { return FParaCount; }
    int32_t LineCount() const { return FLineCount; }
    int32_t ByteCount() const { return FByteCount; }

    // Values out of range are ignored: ParaLimit takes 1 and above, ByteLimit 0 and above,
    // ParaLengthLimit 1 to 32767.
    int32_t ParaLimit() const { return FParaLimit; }
    void SetParaLimit(int32_t Value);
    int32_t ByteLimit() const { return FByteLimit; }
    void SetByteLimit(int32_t Value);
    int32_t ParaLengthLimit() const { return FParaLengthLimit; }
    void SetParaLengthLimit(int32_t Value);

    // Changing any of these while wrapping (or switching it) wraps every paragraph anew and
    // tells the owner. WrapColumn takes 1 and above, TabSize 1 and above.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    int32_t WrapColumn() const { return FWrapColumn; }
    void SetWrapColumn(int32_t Value);
    uint8_t TabSize() const { return FTabSize; }
    void SetTabSize(uint8_t Value);

    // Clearing it marks every undo record, so undoing a change from before then modifies the
    // text again.
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // The display lines the last operation touched; ChangedToLine is 2147483647 when every line
    // from ChangedFromLine on may have moved, and both are 0 when nothing changed.
    int32_t ChangedFromLine() const { return FChangedFrom; }
    int32_t ChangedToLine() const { return FChangedTo; }

    // Views valid until the text next changes.
    std::string_view ParaText(int32_t Para) const;
    std::string_view LineText(int32_t Line) const;
    // Line and column of a position; a position past the paragraph's end is on its last line.
    void ParaToLine(int32_t Para, int32_t Pos, int32_t& Line, int32_t& Col) const;
    void LineToPara(int32_t Line, int32_t Col, int32_t& Para, int32_t& Pos) const;

    // Whether Para (0: none) may take ParasToAdd more paragraphs and BytesToAdd more bytes:
    // 0, oeTooManyParas, oeTooManyBytes or oeParaTooLong, tested in that order.
    uint16_t CheckLimits(int32_t Para, int32_t ParasToAdd, int32_t BytesToAdd) const;

    // Adds S, without trailing blanks when Trim, as the paragraph before the last: how a file
    // is loaded. It makes no undo record and clears any history, whose paragraph numbers it
    // would upset. Raises EOutOfMemory when the paragraph cannot be made.
    uint16_t AppendPara(std::string_view S, bool Trim);

    // A position past the paragraph's end first fills the gap with blanks.
    uint16_t InsertText(int32_t Para, int32_t Pos, std::string_view S);
    uint16_t DeleteText(int32_t Para, int32_t Pos, int32_t Count);
    // Typing over: Count characters from Pos (fewer at the paragraph's end) become S.
    uint16_t ReplaceText(int32_t Para, int32_t Pos, int32_t Count, std::string_view S);
    // The new paragraph becomes number Para, or Para + 1 when After. Raises EOutOfMemory when
    // it cannot be made, as do the operations below that make paragraphs.
    uint16_t InsertPara(int32_t Para, bool After, std::string_view S);
    // The only paragraph is emptied instead.
    uint16_t DeletePara(int32_t Para);
    // Enter: the text from Pos on becomes a new paragraph after Para, starting with Indent;
    // with TrimBlanks the blanks just before Pos go.
    uint16_t SplitPara(int32_t Para, int32_t Pos, bool TrimBlanks, std::string_view Indent);
    // The next paragraph joins Para at Pos, or at its end when Pos is inside it; a gap is filled
    // with blanks. Nothing happens to the last paragraph.
    uint16_t JoinParas(int32_t Para, int32_t Pos);
    // Paste: CR LF, CR and LF end paragraphs. Para and Pos end after the inserted text.
    uint16_t InsertBlock(int32_t& Para, int32_t& Pos, std::string_view Text);
    // Deletes from one position up to (not including) the other, in either order.
    uint16_t DeleteRange(int32_t Para1, int32_t Pos1, int32_t Para2, int32_t Pos2);
    // Records where the caret is, for undo and redo to put it back.
    void MarkCaret(int32_t Para, int32_t Pos);

    // Bookmarks 0 to 9; other indexes are ignored. Paragraph 0 clears one.
    void SetBookmark(int32_t Index, int32_t Para, int32_t Pos);
    void SetBookmarkAt(int32_t Index, int32_t Line, int32_t Col);
    TBookmark Bookmark(int32_t Index) const;

    bool CanUndo() const { return FUndo->CanUndo(); }
    bool CanRedo() const { return FUndo->CanRedo(); }
    // Replay one group of records and give the paragraph and position where the caret goes.
    // Nothing happens when there is nothing to replay.
    uint16_t Undo(int32_t& Para, int32_t& Pos);
    uint16_t Redo(int32_t& Para, int32_t& Pos);

    // A new size discards the history; the size read back is what could be had.
    uint16_t UndoBufferSize() const { return FUndo->Size(); }
    void SetUndoBufferSize(uint16_t Value);
    const TUndoBuffer& UndoBuffer() const { return *FUndo; }
    // For an editor to make one undo group of an operation of several steps.
    TUndoBuffer& UndoBuffer() { return *FUndo; }

private:
    // The last paragraph looked up and the number of its first display line.
    struct TCache {
        TParaNode* Node;
        int32_t Para;
        int32_t Line;
    };
    class TEditScope;

    TParaNode& NodeAt(int32_t Para) const;
    TParaNode& NodeOfLine(int32_t Line) const;
    void CheckPara(int32_t Para) const;
    void CheckPos(int32_t Para, int32_t Pos) const;
    int32_t WrapAt() const { return FWordWrap ? FWrapColumn : 0; }
    void Rewrap();
    void Widen(int32_t From, int32_t To);
    void Notify(const TParaChange& Change);
    void Record(TUndoNode Entry);
    uint16_t CheckGrowth(int32_t Para, int64_t ParasToAdd, int64_t BytesToAdd) const;

    // The steps every operation and every replay is made of; none tests a limit. Those above
    // Link record what they do (unless replaying), and all but EditChars tell the bookmarks and
    // the owner.
    void InsertChars(int32_t Para, int32_t Pos, std::string_view S);
    void DeleteChars(int32_t Para, int32_t Pos, int32_t Count);
    void ReplaceChars(int32_t Para, int32_t Pos, std::string_view Old, std::string_view New);
    void EditChars(int32_t Para, int32_t Offset, int32_t OldLen, std::string_view New);
    void InsertNode(int32_t Para, TUndoKind Kind, int32_t Pos, std::unique_ptr<TParaNode> Node);
    void DeleteNode(int32_t Para);
    void Link(int32_t Para, std::unique_ptr<TParaNode> Node);
    std::unique_ptr<TParaNode> Unlink(int32_t Para);
    // Makes the change a record describes again (Forward) or takes it back.
    void Apply(TUndoNode& Record, bool Forward);
    uint16_t ReplayGroup(bool Back, int32_t& Para, int32_t& Pos);

    TParaListOwner* FOwner;
    TParaNode* FFirst = nullptr;
    TParaNode* FLast = nullptr;
    mutable TCache FCache{};
    int32_t FParaCount = 0;
    int32_t FByteCount = 0;
    int32_t FLineCount = 0;
    int32_t FParaLimit = INT32_MAX;
    int32_t FByteLimit = INT32_MAX;
    int32_t FParaLengthLimit = 32767;
    bool FWordWrap;
    int32_t FWrapColumn = 80;
    uint8_t FTabSize = 8;
    bool FModified = false;
    bool FTracking = true;
    bool FUndoing = false;
    std::array<TBookmark, 10> FBookmarks{};
    std::unique_ptr<TUndoBuffer> FUndo;
    int32_t FChangedFrom = 0;
    int32_t FChangedTo = 0;
    int32_t FEditDepth = 0;
};

}  // namespace vex
