#include "platform/ui/formframe.h"

#include "platform/win/windowstyles.h"

namespace vex {

TFormFrameStyles FormFrameStyles(TFormBorderStyle BorderStyle, TFormStyle FormStyle) {
    constexpr DWORD boxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    TFormFrameStyles styles{0, 0};
    switch (BorderStyle) {
        case bsNone:
            styles.Style = WS_POPUP;
            break;
        case bsSingle:
            styles.Style = WS_CAPTION | boxes;
            break;
        case bsSizeable:
            styles.Style = WS_CAPTION | WS_THICKFRAME | boxes;
            break;
        case bsDialog:
            styles = {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE};
            break;
        case bsToolWindow:
            styles = {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW};
            break;
        case bsSizeToolWin:
            styles = {WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, WS_EX_TOOLWINDOW};
            break;
    }
    if (FormStyle == fsStayOnTop) styles.ExStyle |= WS_EX_TOPMOST;
    return styles;
}

}  // namespace vex
