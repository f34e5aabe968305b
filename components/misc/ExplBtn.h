#pragma once

#include <cstdint>
#include <string>

#include "platform/core/set.h"
#include "platform/gfx/bitmap.h"
#include "platform/ui/bevel.h"
#include "platform/ui/graphiccontrol.h"

namespace vex {

class TExplorerPopup;
class TPopupMenu;

enum TExplorerButtonDropDownStyle { ddsIExplorer, ddsOffice };
enum TExplorerButtonLayout { blBitmapTop, blBitmapBottom, blBitmapLeft, blBitmapRight };
enum TExplorerButtonOption {
    boMonoDisplay,
    boIconOnly,
    boPopupMark,
    boShowBevel,
    boShowDownPattern,
    boTransparent,
    boWordWrap,
    boNoDepress
};
using TExplorerButtonOptions = TSet<TExplorerButtonOption, 8>;
enum TExplorerButtonShadingType { stLight, stMedium, stDark };
enum TExplorerButtonButtonSize { bsCustom, bsSmall, bsLarge };

// Posted to a button by its own press, so that its panel opens once the press is handled.
inline constexpr UINT WM_EXPLORERPOPUP = WM_USER + 100;
// With ddsOffice the rightmost pixels are the arrow part.
inline constexpr int32_t ExplorerArrowWidth = 11;

// A flat toolbar button: a bitmap and a caption on the face, a thin bevel while the mouse is
// over it, sunk while pressed. It can be a grouped toggle, drop down a popup menu, or drop down
// an explorer popup panel (ExplBtnPopup.h). Painting and layout are in ExplBtnPaint.cpp.
class TExplorerButton : public TCustomControl {
    VEX_CLASS(TExplorerButton, TCustomControl)

public:
    explicit TExplorerButton(TComponent* AOwner);
    ~TExplorerButton() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    // Copied to every button of the group.
    void SetAllowAllUp(bool Value);
    int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int32_t Value);
    bool Down() const { return FDown; }
    // Ignored while GroupIndex is 0; True releases the other buttons of the group.
    void SetDown(bool Value);
    // The bevel raised under the mouse; bsLowered swaps its light and dark sides.
    TBevelStyle BevelStyle() const { return FBevelStyle; }
    void SetBevelStyle(TBevelStyle Value);

    // The setters copy the picture.
    const TBitmap& Bitmap() const { return FBitmap; }
    void SetBitmap(const TBitmap& Value);
    const TBitmap& NoFocusBitmap() const { return FNoFocusBitmap; }
    void SetNoFocusBitmap(const TBitmap& Value);
    const TBitmap& DisabledBitmap() const { return FDisabledBitmap; }
    void SetDisabledBitmap(const TBitmap& Value);
    // The dimmed copy of Bitmap shown while the mouse is away and NoFocusBitmap is empty; kept
    // with the form as "IBitmap".
    const TBitmap& DimmedBitmap() const { return FDimmedBitmap; }

    // Setting one clears the other; each is forgotten when it is freed.
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    TExplorerPopup* ExplorerPopup() const { return FExplorerPopup; }
    void SetExplorerPopup(TExplorerPopup* Value);

    TExplorerButtonDropDownStyle DropDownStyle() const { return FDropDownStyle; }
    void SetDropDownStyle(TExplorerButtonDropDownStyle Value);
    TExplorerButtonLayout Layout() const { return FLayout; }
    void SetLayout(TExplorerButtonLayout Value);
    TExplorerButtonOptions Options() const { return FOptions; }
    void SetOptions(TExplorerButtonOptions Value);
    TExplorerButtonShadingType ShadingType() const { return FShadingType; }
    void SetShadingType(TExplorerButtonShadingType Value);
    TColor UnselectedFontColor() const { return FUnselectedFontColor; }
    void SetUnselectedFontColor(TColor Value);

    TExplorerButtonButtonSize ButtonSize() const { return FButtonSize; }
    void SetButtonSize(TExplorerButtonButtonSize Value);
    int32_t SmallWidth() const { return FSmallWidth; }
    void SetSmallWidth(int32_t Value) { SetClassSize(bsSmall, FSmallWidth, Value); }
    int32_t SmallHeight() const { return FSmallHeight; }
    void SetSmallHeight(int32_t Value) { SetClassSize(bsSmall, FSmallHeight, Value); }
    int32_t LargeWidth() const { return FLargeWidth; }
    void SetLargeWidth(int32_t Value) { SetClassSize(bsLarge, FLargeWidth, Value); }
    int32_t LargeHeight() const { return FLargeHeight; }
    void SetLargeHeight(int32_t Value) { SetClassSize(bsLarge, FLargeHeight, Value); }
    int32_t CustomWidth() const { return FCustomWidth; }
    void SetCustomWidth(int32_t Value) { SetClassSize(bsCustom, FCustomWidth, Value); }
    int32_t CustomHeight() const { return FCustomHeight; }
    void SetCustomHeight(int32_t Value) { SetClassSize(bsCustom, FCustomHeight, Value); }

    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void SetEnabled(bool Value) override;

    // The state the face is painted in.
    bool MouseInControl() const { return FMouseIn; }
    bool Pressed() const { return FPressed; }
    bool ArrowPressed() const { return FArrowPressed; }
    bool PopupOpen() const { return FPopupOpen; }

    // Replaces TWinControl's OnEnter and OnExit: they fire as the mouse comes and goes.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnDropDownClick;

    void WndProc(TMessage& Message) override;
    void DefineProperties(TFiler& Filer) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
    void WMContextMenu(TMessage& Message) override;
    void DblClick() override;
    void CMTextChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    friend class TExplorerPopup;

    bool HasDropDown() const { return FDropDownMenu != nullptr || FExplorerPopup != nullptr; }
    // The panel opens from this button's press (with ddsOffice only from the arrow part).
    bool OpensPopup() const {
        return FExplorerPopup != nullptr && (FDropDownStyle == ddsIExplorer || FArrowPressed);
    }
    // The menu opens from this button's press (with ddsOffice only from the arrow part).
    bool OpensMenu() const {
        return FDropDownMenu != nullptr && (FDropDownStyle == ddsIExplorer || FArrowPressed);
    }
    // Runs the drop-down menu under the button, then ends the press it came from.
    void DropMenuDown();
    // Ends a press whose release went elsewhere (to a menu): the mouse messages it left go.
    void EndPress();
    // The panel tells its button that it opened or closed.
    void PopupOpened();
    void PopupClosed();
    // The press was on the arrow part of a ddsOffice button.
    bool OnArrowPart(int32_t X) const;
    void MouseEntered();
    void MouseLeft();
    void ReleaseGroup();
    void ClearPressState();
    void RegenerateDimmedBitmap();
    void UpdateIconOnlyHint();
    void SetClassSize(TExplorerButtonButtonSize Class, int32_t& Field, int32_t Value);
    // The cursor is within the button's bounds now.
    bool CursorInside() const;
    void PressByAccelerator();
    // Paints the face into Face, the double buffer (ExplBtnPaint.cpp).
    void PaintFace(TCanvas& Face);
    void PaintBackground(TCanvas& Face);

    TAlignment FAlignment = taCenter;
    bool FAllowAllUp = false;
    int32_t FGroupIndex = 0;
    bool FDown = false;
    TBevelStyle FBevelStyle = bsRaised;
    TBitmap FBitmap;
    TBitmap FNoFocusBitmap;
    TBitmap FDisabledBitmap;
    TBitmap FDimmedBitmap;
    TPopupMenu* FDropDownMenu = nullptr;
    TExplorerPopup* FExplorerPopup = nullptr;
    TExplorerButtonDropDownStyle FDropDownStyle = ddsIExplorer;
    TExplorerButtonLayout FLayout = blBitmapTop;
    TExplorerButtonOptions FOptions{boPopupMark, boShowBevel, boShowDownPattern};
    TExplorerButtonShadingType FShadingType = stMedium;
    TColor FUnselectedFontColor = clWindowText;
    TExplorerButtonButtonSize FButtonSize = bsCustom;
    int32_t FSmallWidth = 23;
    int32_t FSmallHeight = 22;
    int32_t FLargeWidth = 39;
    int32_t FLargeHeight = 38;
    int32_t FCustomWidth = 50;
    int32_t FCustomHeight = 40;
    bool FSizing = false;  // a size class is being applied, not stored

    bool FMouseIn = false;
    bool FPressed = false;
    bool FArrowPressed = false;
    bool FPopupOpen = false;
    bool FIconOnlyHint = false;  // the hint is the caption's, put there by boIconOnly
    TBitmap FBuffer;             // the double buffer
};

}  // namespace vex
