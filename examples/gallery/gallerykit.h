#pragma once

// What every group of the gallery builds with: a titled box to put controls in, and controls
// placed at fixed bounds.

#include <string>
#include <utility>

#include "examples/gallery/framedpanel.h"
#include "platform/gfx/font.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"

namespace gallery {

constexpr int kGroupWidth = 300;
constexpr int kTitleHeight = 18;
constexpr int kGap = 8;

template <class T, class... Args>
T* Add(vex::TWinControl* Parent, const vex::TRect& Bounds, Args&&... More) {
    auto* control = new T(Parent, std::forward<Args>(More)...);
    control->SetBoundsRect(Bounds);
    control->SetParent(Parent);
    return control;
}

// A label of a fixed size: one that sizes itself would shrink to its caption.
template <class T = vex::TLabel>
T* AddLabel(vex::TWinControl* Parent, const vex::TRect& Bounds, const std::string& Caption) {
    auto* label = new T(Parent);
    label->SetAutoSize(false);
    label->SetBoundsRect(Bounds);
    label->SetCaption(Caption);
    label->SetParent(Parent);
    return label;
}

// A titled, grooved box at Left, Top of Height, which the group's controls go in.
inline TFramedPanel* AddGroup(vex::TForm* Form, int Left, int Top, int Height,
                              const std::string& Title) {
    vex::TLabel* title =
        AddLabel(Form, vex::Rect(Left, Top, Left + kGroupWidth, Top + kTitleHeight), Title);
    title->Font().SetStyle({vex::fsBold});
    return Add<TFramedPanel>(
        Form, vex::Rect(Left, Top + kTitleHeight, Left + kGroupWidth, Top + kTitleHeight + Height));
}

// Each group answers the bottom of what it took.
using TGroup = int (*)(vex::TForm* Form, int Left, int Top);

}  // namespace gallery
