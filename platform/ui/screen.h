#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/geometry.h"
#include "platform/core/stringlist.h"
#include "platform/gfx/cursors.h"
#include "platform/gfx/font.h"

namespace vex {

class TCustomForm;
class TForm;
class TWinControl;

// What a cursor number stands for on the screen: the handle the cursor services load for it.
// Until they do, a cursor's handle is its own number.
using HCURSOR = intptr_t;

// The screen the application's windows are on, as the presenter reports it: the display's, or
// the headless one's.
class TScreen : public TComponent {
    VEX_CLASS(TScreen, TComponent)

public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int32_t Width() const;
    int32_t Height() const;
    // The part of the screen windows are placed in: all of it but what desktop bars take.
    TRect WorkAreaRect() const;
    int32_t WorkAreaLeft() const { return WorkAreaRect().Left; }
    int32_t WorkAreaTop() const { return WorkAreaRect().Top; }
    int32_t WorkAreaWidth() const { return WorkAreaRect().Right - WorkAreaRect().Left; }
    int32_t WorkAreaHeight() const { return WorkAreaRect().Bottom - WorkAreaRect().Top; }

    // 96, the density every measure of the platform is made for (see design: windows are
    // presented 1:1). A test may set another to see how a component scales; fonts keep
    // converting points at 96. A value below 1 raises ERangeError.
    int32_t PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t Value);

    // The cursor the whole application shows, crDefault letting each control show its own.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value) { FCursor = Value; }

    // The cursors by number: the standard ones (negative) and the application's own resource
    // cursors (positive) once set. An unknown number gives the default cursor's handle.
    HCURSOR Cursors(TCursor Index) const;
    void SetCursors(TCursor Index, HCURSOR Handle);

    // Every form, topmost first; forms without a window yet come last, oldest first.
    int32_t CustomFormCount() const { return static_cast<int32_t>(FForms.size()); }
    // Index counts from 0; out of range raises EListError.
    TCustomForm* CustomForms(int32_t Index) const;
    // The same for the forms of class TForm.
    int32_t FormCount() const;
    TForm* Forms(int32_t Index) const;

    // The form holding the active window, and the control with the focus in it; nil while the
    // application is not active.
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    // For the forms' activation and focus code; a change fires the event.
    void SetActiveForm(TCustomForm* Value);
    void SetActiveControl(TWinControl* Value);
    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;

    // The fonts of menus and of hint windows.
    TFont& MenuFont() { return FMenuFont; }
    TFont& HintFont() { return FHintFont; }

    // Forms enter and leave the list as they are made and freed.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);

    // The names of the installed font families, sorted; read once, when first asked for.
    TStrings& Fonts();

private:
    // The forms in z-order, as the window tree has them now.
    std::vector<TCustomForm*> FormsInZOrder() const;

    int32_t FPixelsPerInch = 96;
    TCursor FCursor = crDefault;
    std::unique_ptr<TStringList> FFonts;
    std::map<TCursor, HCURSOR> FCursors;
    std::vector<TCustomForm*> FForms;  // in the order they were made
    TCustomForm* FActiveForm = nullptr;
    TWinControl* FActiveControl = nullptr;
    TFont FMenuFont;
    TFont FHintFont;
};

TScreen& Screen();

// Shows a cursor over the whole application for its lifetime (an hourglass over a long task),
// then puts back the one before, also when the task throws.
class TScreenCursorGuard {
public:
    explicit TScreenCursorGuard(TCursor Cursor) : FSaved(Screen().Cursor()) {
        Screen().SetCursor(Cursor);
    }
    ~TScreenCursorGuard() { Screen().SetCursor(FSaved); }
    TScreenCursorGuard(const TScreenCursorGuard&) = delete;
    TScreenCursorGuard& operator=(const TScreenCursorGuard&) = delete;

private:
    TCursor FSaved;
};

}  // namespace vex
