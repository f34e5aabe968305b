#include "platform/ui/align.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace vex {

namespace {

// Where a control stands along Side, the first to be placed smallest: tops and lefts, and the
// lowest bottoms and rightmost rights.
int64_t PlaceAlongSide(const TControl& C, TAlign Side) {
    switch (Side) {
        case alTop:
            return C.Top();
        case alBottom:
            return -(int64_t{C.Top()} + C.Height());
        case alLeft:
            return C.Left();
        case alRight:
            return -(int64_t{C.Left()} + C.Width());
        default:
            return 0;
    }
}

std::vector<TControl*> ControlsOnSide(const std::vector<TControl*>& Controls, TControl* Moved,
                                      TAlign Side) {
    std::vector<TControl*> side;
    const auto takesPart = [Side](const TControl* C) { return C->Align() == Side && C->Visible(); };
    if (Moved != nullptr && takesPart(Moved)) side.push_back(Moved);
    for (TControl* c : Controls)
        if (c != Moved && takesPart(c)) side.push_back(c);
    // Of two at the same place the one met first goes first on the top and left, last on the
    // bottom and right; a sort keeps a parent of many aligned controls quick.
    if (Side == alBottom || Side == alRight) std::reverse(side.begin(), side.end());
    std::stable_sort(side.begin(), side.end(), [Side](const TControl* A, const TControl* B) {
        return PlaceAlongSide(*A, Side) < PlaceAlongSide(*B, Side);
    });
    return side;
}

// A + B kept within the 32-bit range, for rectangles and sizes a hostile caller chose.
int32_t Add(int32_t A, int64_t B) {
    return SaturateToInt32(int64_t{A} + B);
}

void Place(TControl& Control, TAlign Side, TRect& Rect) {
    int32_t width = Add(Rect.Right, -int64_t{Rect.Left});
    if (width < 0 || Side == alLeft || Side == alRight) width = Control.Width();
    int32_t height = Add(Rect.Bottom, -int64_t{Rect.Top});
    if (height < 0 || Side == alTop || Side == alBottom) height = Control.Height();
    int32_t left = Rect.Left;
    int32_t top = Rect.Top;
    switch (Side) {
        case alTop:
            Rect.Top = Add(Rect.Top, height);
            break;
        case alBottom:
            Rect.Bottom = Add(Rect.Bottom, -int64_t{height});
            top = Rect.Bottom;
            break;
        case alLeft:
            Rect.Left = Add(Rect.Left, width);
            break;
        case alRight:
            Rect.Right = Add(Rect.Right, -int64_t{width});
            left = Rect.Right;
            break;
        default:
            break;
    }
    // The control's resize handler may free it, or its parent with it.
    const std::weak_ptr<const void> life = Control.LifeToken();
    Control.SetBounds(left, top, width, height);
    if (life.expired()) return;
    // A control that kept another size than the one it was given takes the room it kept.
    const int64_t dw = int64_t{width} - Control.Width();
    const int64_t dh = int64_t{height} - Control.Height();
    switch (Side) {
        case alTop:
            Rect.Top = Add(Rect.Top, -dh);
            break;
        case alBottom:
            Rect.Bottom = Add(Rect.Bottom, dh);
            break;
        case alLeft:
            Rect.Left = Add(Rect.Left, -dw);
            break;
        case alRight:
            Rect.Right = Add(Rect.Right, dw);
            break;
        case alClient:
            Rect.Right = Add(Rect.Right, dw);
            Rect.Bottom = Add(Rect.Bottom, dh);
            break;
        default:
            break;
    }
}

}  // namespace

void AlignControlList(const std::vector<TControl*>& Controls, TControl* Moved, TRect& Rect) {
    // A control's resize handler may free another control of the list: each is looked at only
    // while its life token holds.
    std::unordered_map<const TControl*, std::weak_ptr<const void>> lives;
    for (TControl* c : Controls)
        lives.emplace(c, c->LifeToken());
    if (Moved != nullptr) lives.emplace(Moved, Moved->LifeToken());
    const auto alive = [&lives](const TControl* C) {
        const auto found = lives.find(C);
        return found != lives.end() && !found->second.expired();
    };
    for (TAlign side : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> present;
        for (TControl* c : Controls)
            if (alive(c)) present.push_back(c);
        for (TControl* c : ControlsOnSide(present, alive(Moved) ? Moved : nullptr, side))
            if (alive(c)) Place(*c, side, Rect);
    }
}

}  // namespace vex
