#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/core/geometry.h"
#include "platform/core/object.h"
#include "platform/win/messages.h"

namespace vex {

class TBitmap;
class TWinControl;

enum TOvcCaretAlign { caLeft, caTop, caRight, caBottom, caCenter };
enum TOvcCaretShape { csBlock, csHalfBlock, csVertLine, csHorzLine, csCustom, csBitmap };

// How a caret looks, shared between the controls that show it. Each user holds a TOvcCaretRef;
// the caret goes with the last of them, so no user can free it under another (RefCount says how
// many hold it). OnChange tells the single caret that shows it to rebuild.
class TOvcCaret : public TPersistent, public std::enable_shared_from_this<TOvcCaret> {
    VEX_CLASS(TOvcCaret, TPersistent)

public:
    TOvcCaret();
    ~TOvcCaret() override;
    TOvcCaret(const TOvcCaret&) = delete;
    TOvcCaret& operator=(const TOvcCaret&) = delete;

    TOvcCaretAlign Align() const { return FAlign; }
    void SetAlign(TOvcCaretAlign Value);
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Copies Value; an empty or missing bitmap is ignored.
    void SetBitmap(const TBitmap* Value);
    // Hot spots move a bitmap caret within its cell; they tell only while Shape is csBitmap.
    int32_t BitmapHotSpotX() const { return FBitmapHotSpotX; }
    void SetBitmapHotSpotX(int32_t Value);
    int32_t BitmapHotSpotY() const { return FBitmapHotSpotY; }
    void SetBitmapHotSpotY(int32_t Value);
    // Milliseconds; 0 keeps the system's rate.
    uint16_t BlinkTime() const { return FBlinkTime; }
    void SetBlinkTime(uint16_t Value);
    // Pixels; values below 1 are ignored.
    int32_t CaretHeight() const { return FCaretHeight; }
    void SetCaretHeight(int32_t Value);
    int32_t CaretWidth() const { return FCaretWidth; }
    void SetCaretWidth(int32_t Value);
    bool IsGray() const { return FIsGray; }
    void SetIsGray(bool Value);
    // A new shape brings the alignment (and for lines, bitmaps the size) that goes with it.
    TOvcCaretShape Shape() const { return FShape; }
    void SetShape(TOvcCaretShape Value);

    int32_t RefCount() const { return static_cast<int32_t>(weak_from_this().use_count()); }

    std::function<void(TObject* Sender)> OnChange;

private:
    void DoOnChange();

    TOvcCaretAlign FAlign = caLeft;
    std::unique_ptr<TBitmap> FBitmap;
    int32_t FBitmapHotSpotX = 0;
    int32_t FBitmapHotSpotY = 0;
    uint16_t FBlinkTime = 0;
    int32_t FCaretHeight = 10;
    int32_t FCaretWidth = 2;
    bool FIsGray = false;
    TOvcCaretShape FShape = csVertLine;
};

using TOvcCaretRef = std::shared_ptr<TOvcCaret>;

// The caret one control shows in its character cell: the platform caret on the owner's window,
// sized and placed in the cell by the caret's shape and alignment.
class TOvcSingleCaret : public TPersistent {
    VEX_CLASS(TOvcSingleCaret, TPersistent)

public:
    explicit TOvcSingleCaret(TWinControl* AOwner);
    ~TOvcSingleCaret() override;
    TOvcSingleCaret(const TOvcSingleCaret&) = delete;
    TOvcSingleCaret& operator=(const TOvcSingleCaret&) = delete;

    TOvcCaret* Caret() const { return FCaret.get(); }
    // Holds Value (a null one is ignored) and lets go of the caret before.
    void SetCaret(TOvcCaretRef Value);

    // The character cell in pixels; values below 1 are ignored.
    int32_t CellHeight() const { return FCellHeight; }
    void SetCellHeight(int32_t Value);
    int32_t CellWidth() const { return FCellWidth; }
    void SetCellWidth(int32_t Value);

    // True while the platform caret is on the owner's window; stays False while the owner has
    // no window.
    bool Linked() const { return FLinked; }
    void SetLinked(bool Value);

    // The cell's place in the owner's client area; MaxInt (negative values become it) keeps
    // the caret off the window.
    int32_t PosX() const { return FPosX; }
    int32_t PosY() const { return FPosY; }
    void SetPosition(TPoint Value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    // The caret's place in the cell.
    int32_t OffsetX() const { return FOffsetX; }
    int32_t OffsetY() const { return FOffsetY; }

    TWinControl* Owner() const { return FOwner; }

protected:
    // Takes Value into use: it becomes Caret and this rebuilds on its changes.
    void UseCaret(TOvcCaretRef Value);

private:
    struct TChangeLink;

    void Rebuild();
    void MoveCaret();
    void ReleaseCaret();

    TOvcCaretRef FCaret;
    int32_t FCellHeight = 10;
    int32_t FCellWidth = 10;
    bool FLinked = false;
    int32_t FPosX = 0;
    int32_t FPosY = 0;
    bool FVisible = false;
    // True while this caret holds the system's blink time at its own rate.
    bool FChangedBlinkTime = false;
    TWinControl* FOwner;
    int32_t FOffsetX = 0;
    int32_t FOffsetY = 0;
    // The size the platform caret is made with, from the shape and the cell.
    int32_t FWidth = 2;
    int32_t FHeight = 10;
    HWND FLinkedWnd = 0;
};

// The insert and overwrite carets of an editing control; the one in use follows InsertMode.
class TOvcCaretPair : public TOvcSingleCaret {
    VEX_CLASS(TOvcCaretPair, TOvcSingleCaret)

public:
    explicit TOvcCaretPair(TWinControl* AOwner);
    ~TOvcCaretPair() override;

    bool InsertMode() const { return FInsertMode; }
    void SetInsertMode(bool Value);

    TOvcCaret* CaretIns() const { return FCaretIns.get(); }
    void SetCaretIns(TOvcCaretRef Value);
    TOvcCaret* CaretOvr() const { return FCaretOvr.get(); }
    void SetCaretOvr(TOvcCaretRef Value);

private:
    bool FInsertMode = true;
    TOvcCaretRef FCaretIns;
    TOvcCaretRef FCaretOvr;
};

}  // namespace vex
