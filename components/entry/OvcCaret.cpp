#include "components/entry/OvcCaret.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/core/typinfo.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/wincontrol.h"
#include "platform/win/caret.h"

namespace vex {

namespace {

// In the order a form stream writes them.
const bool CaretPublished = [] {
    using C = TOvcCaret;
    RegisterProperties(
        C::StaticClassInfo(),
        {ClassProperty("Bitmap", "TBitmap", &C::Bitmap),
         OrdinalProperty("BitmapHotSpotX", tkInteger, "Integer", &C::BitmapHotSpotX,
                         &C::SetBitmapHotSpotX),
         OrdinalProperty("BitmapHotSpotY", tkInteger, "Integer", &C::BitmapHotSpotY,
                         &C::SetBitmapHotSpotY),
         OrdinalProperty("Shape", tkEnumeration, "TOvcCaretShape", &C::Shape, &C::SetShape),
         OrdinalProperty("Align", tkEnumeration, "TOvcCaretAlign", &C::Align, &C::SetAlign),
         OrdinalProperty("BlinkTime", tkInteger, "Word", &C::BlinkTime, &C::SetBlinkTime),
         OrdinalProperty("CaretHeight", tkInteger, "Integer", &C::CaretHeight, &C::SetCaretHeight),
         OrdinalProperty("CaretWidth", tkInteger, "Integer", &C::CaretWidth, &C::SetCaretWidth),
         OrdinalProperty("IsGray", tkEnumeration, "Boolean", &C::IsGray, &C::SetIsGray)});
    return true;
}();

}  // namespace

namespace {

constexpr int32_t MaxInt = std::numeric_limits<int32_t>::max();

// Cells and hot spots may lie anywhere in an Integer: a sum beyond one saturates rather than
// wrapping the caret back onto the window.
int32_t Saturated(int64_t Value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(), MaxInt));
}

// Off the window stays off the window, whatever the offset.
int32_t CaretCoordinate(int32_t Cell, int32_t Offset) {
    return Cell == MaxInt ? MaxInt : Saturated(int64_t{Cell} + Offset);
}

TCaretBitmap CaretPicture(const TBitmap& Bitmap) {
    TCaretBitmap picture{Bitmap.Width(), Bitmap.Height(), {}};
    picture.Pixels.reserve(static_cast<size_t>(Bitmap.Width()) * Bitmap.Height());
    for (int32_t y = 0; y < Bitmap.Height(); ++y) {
        const uint32_t* row = Bitmap.ScanLine(y);
        for (int32_t x = 0; x < Bitmap.Width(); ++x)
            picture.Pixels.push_back(row[x] & 0xFFFFFF);
    }
    return picture;
}

// The system's blink time from before the first linked caret changed it, put back when the
// last one that changed it lets go: a caret that links while another has the rate changed
// must not take that rate for the system's own.
UINT SystemBlinkTime = 0;
int32_t BlinkChangers = 0;

}  // namespace

// --- TOvcCaret ------------------------------------------------------------------------------

TOvcCaret::TOvcCaret() : FBitmap(std::make_unique<TBitmap>()) {}

TOvcCaret::~TOvcCaret() = default;

void TOvcCaret::DoOnChange() {
    if (OnChange) OnChange(this);
}

void TOvcCaret::SetAlign(TOvcCaretAlign Value) {
    if (Value == FAlign) return;
    FAlign = Value;
    DoOnChange();
}

void TOvcCaret::SetBitmap(const TBitmap* Value) {
    if (Value == nullptr || Value->Empty()) return;
    FBitmap->Assign(Value);
    DoOnChange();
}

void TOvcCaret::SetBitmapHotSpotX(int32_t Value) {
    if (Value == FBitmapHotSpotX) return;
    FBitmapHotSpotX = Value;
    if (FShape == csBitmap) DoOnChange();
}

void TOvcCaret::SetBitmapHotSpotY(int32_t Value) {
    if (Value == FBitmapHotSpotY) return;
    FBitmapHotSpotY = Value;
    if (FShape == csBitmap) DoOnChange();
}

void TOvcCaret::SetBlinkTime(uint16_t Value) {
    if (Value == FBlinkTime) return;
    FBlinkTime = Value;
    DoOnChange();
}

void TOvcCaret::SetCaretHeight(int32_t Value) {
    if (Value < 1 || Value == FCaretHeight) return;
    FCaretHeight = Value;
    DoOnChange();
}

void TOvcCaret::SetCaretWidth(int32_t Value) {
    if (Value < 1 || Value == FCaretWidth) return;
    FCaretWidth = Value;
    DoOnChange();
}

void TOvcCaret::SetIsGray(bool Value) {
    if (Value == FIsGray) return;
    FIsGray = Value;
    DoOnChange();
}

void TOvcCaret::SetShape(TOvcCaretShape Value) {
    if (Value == FShape) return;
    FShape = Value;
    switch (FShape) {
        case csBlock:
            FAlign = caLeft;
            break;
        case csHalfBlock:
            FAlign = caBottom;
            break;
        case csVertLine:
            FAlign = caLeft;
            FCaretWidth = 2;
            break;
        case csHorzLine:
            FAlign = caBottom;
            FCaretHeight = 2;
            break;
        case csBitmap:
            FCaretHeight = std::max(1, FBitmap->Height());
            FCaretWidth = std::max(1, FBitmap->Width());
            break;
        case csCustom:
            break;
    }
    DoOnChange();
}

// --- TOvcSingleCaret ------------------------------------------------------------------------

// What a single caret puts in its caret's OnChange, so that it can tell its own subscription
// from another user's when it lets the caret go.
struct TOvcSingleCaret::TChangeLink {
    TOvcSingleCaret* Owner;
    void operator()(TObject* /*Sender*/) const { Owner->Rebuild(); }
};

TOvcSingleCaret::TOvcSingleCaret(TWinControl* AOwner) : FOwner(AOwner) {
    UseCaret(std::make_shared<TOvcCaret>());
}

TOvcSingleCaret::~TOvcSingleCaret() {
    SetVisible(false);
    SetLinked(false);
    ReleaseCaret();
}

void TOvcSingleCaret::ReleaseCaret() {
    if (!FCaret) return;
    const auto* link = FCaret->OnChange.target<TChangeLink>();
    if (link != nullptr && link->Owner == this) FCaret->OnChange = nullptr;
    FCaret.reset();
}

void TOvcSingleCaret::UseCaret(TOvcCaretRef Value) {
    if (!Value || Value == FCaret) return;
    ReleaseCaret();
    FCaret = std::move(Value);
    FCaret->OnChange = TChangeLink{this};
    Rebuild();
}

void TOvcSingleCaret::SetCaret(TOvcCaretRef Value) {
    UseCaret(std::move(Value));
}

void TOvcSingleCaret::SetCellHeight(int32_t Value) {
    if (Value < 1 || Value == FCellHeight) return;
    FCellHeight = Value;
    Rebuild();
}

void TOvcSingleCaret::SetCellWidth(int32_t Value) {
    if (Value < 1 || Value == FCellWidth) return;
    FCellWidth = Value;
    Rebuild();
}

void TOvcSingleCaret::SetLinked(bool Value) {
    if (Value == FLinked) return;
    if (Value) {
        if (FOwner == nullptr || !FOwner->HandleAllocated()) return;
        FLinkedWnd = FOwner->Handle();
        TCaretBitmap picture;
        const TCaretBitmap* look = nullptr;
        if (FCaret->Shape() == csBitmap && !FCaret->Bitmap()->Empty()) {
            picture = CaretPicture(*FCaret->Bitmap());
            look = &picture;
        } else if (FCaret->IsGray()) {
            look = GrayCaret;
        }
        CreateCaret(FLinkedWnd, look, FWidth, FHeight);
        FLinked = true;
        if (FVisible) ShowCaret(FLinkedWnd);
        MoveCaret();
        const UINT blink = FCaret->BlinkTime();
        if (blink != 0) {
            if (BlinkChangers++ == 0) SystemBlinkTime = GetCaretBlinkTime();
            FChangedBlinkTime = true;
            SetCaretBlinkTime(blink);
        }
    } else {
        FLinked = false;
        if (FChangedBlinkTime) {
            FChangedBlinkTime = false;
            if (--BlinkChangers == 0) SetCaretBlinkTime(SystemBlinkTime);
        }
        // The thread's one caret may belong to another window by now; that one stays.
        if (GetCaretState().Wnd == FLinkedWnd) DestroyCaret();
        FLinkedWnd = 0;
    }
}

void TOvcSingleCaret::MoveCaret() {
    if (FLinked && GetCaretState().Wnd == FLinkedWnd)
        SetCaretPos(CaretCoordinate(FPosX, FOffsetX), CaretCoordinate(FPosY, FOffsetY));
}

void TOvcSingleCaret::SetPosition(TPoint Value) {
    const int32_t x = Value.X < 0 ? MaxInt : Value.X;
    const int32_t y = Value.Y < 0 ? MaxInt : Value.Y;
    if (x == FPosX && y == FPosY) return;
    FPosX = x;
    FPosY = y;
    MoveCaret();
}

void TOvcSingleCaret::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    if (!FLinked || GetCaretState().Wnd != FLinkedWnd) return;
    if (FVisible)
        ShowCaret(FLinkedWnd);
    else
        HideCaret(FLinkedWnd);
}

void TOvcSingleCaret::Rebuild() {
    const bool wasLinked = FLinked;
    SetLinked(false);
    const TOvcCaret& caret = *FCaret;
    FWidth = caret.CaretWidth();
    FHeight = caret.CaretHeight();
    switch (caret.Shape()) {
        case csBlock:
            FHeight = FCellHeight;
            FWidth = FCellWidth;
            break;
        case csHalfBlock:
            FHeight = std::max(1, FCellHeight / 2);
            FWidth = FCellWidth;
            break;
        case csVertLine:
            FHeight = FCellHeight;
            break;
        case csHorzLine:
            FWidth = FCellWidth;
            break;
        case csCustom:
        case csBitmap:
            break;
    }
    const int32_t centredX = (FCellWidth - FWidth) / 2;
    const int32_t centredY = (FCellHeight - FHeight) / 2;
    switch (caret.Align()) {
        case caLeft:
            FOffsetX = 0;
            FOffsetY = centredY;
            break;
        case caTop:
            FOffsetX = centredX;
            FOffsetY = 0;
            break;
        case caRight:
            FOffsetX = FCellWidth - FWidth;
            FOffsetY = centredY;
            break;
        case caBottom:
            FOffsetX = centredX;
            FOffsetY = FCellHeight - FHeight;
            break;
        case caCenter:
            FOffsetX = centredX;
            FOffsetY = centredY;
            break;
    }
    if (caret.Shape() == csBitmap) {
        FOffsetX = Saturated(int64_t{FOffsetX} - caret.BitmapHotSpotX());
        FOffsetY = Saturated(int64_t{FOffsetY} - caret.BitmapHotSpotY());
    }
    if (wasLinked) SetLinked(true);
}

// --- TOvcCaretPair --------------------------------------------------------------------------

TOvcCaretPair::TOvcCaretPair(TWinControl* AOwner)
    : TOvcSingleCaret(AOwner),
      FCaretIns(std::make_shared<TOvcCaret>()),
      FCaretOvr(std::make_shared<TOvcCaret>()) {
    FCaretOvr->SetShape(csBlock);
    UseCaret(FCaretIns);
}

TOvcCaretPair::~TOvcCaretPair() = default;

void TOvcCaretPair::SetInsertMode(bool Value) {
    if (Value == FInsertMode) return;
    FInsertMode = Value;
    UseCaret(FInsertMode ? FCaretIns : FCaretOvr);
}

void TOvcCaretPair::SetCaretIns(TOvcCaretRef Value) {
    if (!Value) return;
    FCaretIns = std::move(Value);
    if (FInsertMode) UseCaret(FCaretIns);
}

void TOvcCaretPair::SetCaretOvr(TOvcCaretRef Value) {
    if (!Value) return;
    FCaretOvr = std::move(Value);
    if (!FInsertMode) UseCaret(FCaretOvr);
}

}  // namespace vex
