// How keys, the mouse, the scroll bars and the focus reach the editor.
#include <algorithm>
#include <cstdlib>

#include "components/entry/OvcEditor.h"
#include "components/entry/OvcParasText.h"
#include "platform/core/clock.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/form.h"
#include "platform/win/capture.h"
#include "platform/win/cursor.h"
#include "platform/win/input.h"
#include "platform/win/keyboard.h"
#include "platform/win/scrollbars.h"
#include "platform/win/systemmetrics.h"
#include "platform/win/timer.h"

namespace vex {

namespace {

constexpr uint16_t ccChar = 249;
// The quickest auto-scroll step, however far outside the window the mouse is.
constexpr int32_t MinAutoScrollMs = 5;
// Any module but 0 names the program's own resources.
constexpr HMODULE ProgramModule = 1;

}  // namespace

void TOvcCustomEditor::WndProc(TMessage& Message) {
    switch (Message.Msg) {
        case OVCM_CARETPOSITION: {
            const std::string_view line = FParas->LineText(FCaretLine);
            const auto column = static_cast<int32_t>(ColumnOfPos(
                                    line, static_cast<size_t>(FCaretCol - 1), TabSize())) +
                                std::max(0, FCaretCol - 1 - Length(line)) + 1;
            DoOnShowStatus(FCaretLine, column);
            return;
        }
        case WM_GETDLGCODE:
            Message.Result =
                DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTARROWS | (FWantTab ? DLGC_WANTTAB : 0);
            return;
        case WM_VSCROLL:
        case WM_HSCROLL:
            WMScroll(Message, Message.Msg == WM_VSCROLL);
            return;
        case WM_SYSKEYDOWN:
            WMSysKeyDownEditor(Message);
            if (Message.Result == 0) return;
            break;
        case WM_SETCURSOR:
            WMSetCursor(Message);
            if (Message.Result != 0) return;
            break;
        case WM_MOUSEACTIVATE:
            WMMouseActivate(Message);
            if (Message.Result != 0) return;
            break;
        case WM_LBUTTONDBLCLK:
            WMLButtonDblClk(Message);
            return;
        case CM_DIALOGCHAR:
            if (Message.WParam == VK_BACK && (GetKeyState(VK_MENU) < 0)) {
                Message.Result = 1;
                return;
            }
            break;
        default:
            break;
    }
    TOvcEditBase::WndProc(Message);
}

void TOvcCustomEditor::WMKeyDown(TMessage& Message) {
    const std::weak_ptr<const void> life = LifeToken();
    TOvcEditBase::WMKeyDown(Message);
    if (life.expired() || Message.WParam == 0 || !ControllerAssigned()) return;
    const auto key = static_cast<uint16_t>(Message.WParam);
    const uint16_t command = Controller()->EntryCommands().Translate(Message);
    if (ExecuteCommand(command, static_cast<char>(key))) {
        if (!life.expired()) Message.Result = 0;
        return;
    }
    if (life.expired()) return;
    if (key == VK_RETURN && FWantEnter) {
        NewLine(FInsertMode, true);
        return;
    }
    if (key == VK_TAB && FWantTab) {
        ExecuteCommand(ccTab, '\t');
        return;
    }
    FSuppressChar = command == ccSequencePending || key == VK_BACK;
}

void TOvcCustomEditor::WMSysKeyDownEditor(TMessage& Message) {
    Message.Result = 1;
    const auto key = static_cast<uint16_t>(Message.WParam);
    if (key == VK_TAB || key == VK_MENU || !ControllerAssigned()) return;
    const uint16_t command = Controller()->EntryCommands().TranslateKey(key, TShiftState{ssAlt});
    if (command != ccNone && command != ccNoKeyMatch && command != ccBrokenSequence &&
        command != ccSequencePending && ExecuteCommand(command, static_cast<char>(key)))
        Message.Result = 0;
}

void TOvcCustomEditor::WMChar(TMessage& Message) {
    const bool suppressed = FSuppressChar;
    FSuppressChar = false;
    const std::weak_ptr<const void> life = LifeToken();
    TOvcEditBase::WMChar(Message);
    if (life.expired() || suppressed) return;
    const auto ch = static_cast<uint8_t>(Message.WParam);
    if (ch >= 32) ExecuteCommand(ccChar, static_cast<char>(ch));
}

void TOvcCustomEditor::WMScroll(TMessage& Message, bool Vertical) {
    const auto code = static_cast<WPARAM>(Message.WParam & 0xFFFF);
    const auto thumb = static_cast<int32_t>((Message.WParam >> 16) & 0xFFFF);
    Message.Result = 0;
    if (Vertical) {
        switch (code) {
            case SB_LINEUP:
                return Scroll(0, -1);
            case SB_LINEDOWN:
                return Scroll(0, 1);
            case SB_PAGEUP:
                return Scroll(0, -FVisibleLines);
            case SB_PAGEDOWN:
                return Scroll(0, FVisibleLines);
            case SB_THUMBPOSITION:
            case SB_THUMBTRACK: {
                int32_t low = 0, high = 0;
                GetScrollRange(Handle(), SB_VERT, low, high);
                int32_t line = thumb * FScale;
                if (thumb <= 1)
                    line = 1;
                else if (thumb >= high)
                    line = std::max(1, GetLineCount() - FVisibleLines + 1);
                return Scroll(0, line - FTopLine);
            }
            default:
                return;
        }
    }
    switch (code) {
        case SB_LINELEFT:
            return Scroll(-1, 0);
        case SB_LINERIGHT:
            return Scroll(1, 0);
        case SB_PAGELEFT:
            return Scroll(-(FVisibleCols - 1), 0);
        case SB_PAGERIGHT:
            return Scroll(FVisibleCols - 1, 0);
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            FFullRepaint = true;
            Invalidate();
            return Scroll(thumb - FLeftCol, 0);
        default:
            return;
    }
}

void TOvcCustomEditor::LoadLineSelectCursor() {
    FLineSelectCursor = LoadCursor(ProgramModule, LineSelectCursorId);
}

void TOvcCustomEditor::WMSetCursor(TMessage& Message) {
    Message.Result = 0;
    if ((Message.LParam & 0xFFFF) != HTCLIENT) return;
    TPoint at;
    GetCursorPos(at);
    at = ScreenToClient(at);
    const bool margin = at.X <= FLeftMargin && FLineSelectCursor != 0;
    // The window layer's cursor (the control's Cursor property is the I-beam).
    ::vex::SetCursor(margin ? FLineSelectCursor : LoadCursor(0, IDC_IBEAM));
    Message.Result = 1;
}

void TOvcCustomEditor::WMMouseActivate(TMessage& Message) {
    Message.Result = 0;
    if (Focused()) return;
    Message.Result =
        ControllerAssigned() && Controller()->ErrorPending ? MA_NOACTIVATEANDEAT : MA_ACTIVATE;
}

void TOvcCustomEditor::MouseToLineCol(int32_t X, int32_t Y, int32_t& Line, int32_t& Col) const {
    const int32_t row = Y < 0 ? -1 - (-Y - 1) / FLineHeight : Y / FLineHeight;
    Line = std::clamp(FTopLine + row, 1, GetLineCount());
    const int32_t column =
        std::max(0, FLeftCol + (X - FLeftMargin + FCharWidth / 2) / std::max(FCharWidth, 1));
    const std::string_view text = FParas->LineText(Line);
    const size_t pos = PosOfColumn(text, static_cast<size_t>(column), TabSize());
    Col = static_cast<int32_t>(pos) + 1;
    const auto width = ColumnOfPos(text, text.size(), TabSize());
    if (FScrollPastEnd && static_cast<size_t>(column) > width)
        Col = Length(text) + 1 + column - static_cast<int32_t>(width);
    else
        Col = std::min(Col, Length(text) + 1);
}

void TOvcCustomEditor::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    const std::weak_ptr<const void> life = LifeToken();
    TOvcEditBase::MouseDown(Button, Shift, X, Y);
    if (life.expired() || Button != mbLeft) return;
    if (CanFocus() && !Focused()) SetFocus();
    if (life.expired()) return;
    if (FParas->ByteCount() != 0) {
        SetCapture(Handle());
        FMouseCaptured = true;
    }
    int32_t line = 1, col = 1;
    MouseToLineCol(X, Y, line, col);
    FMarginSelect = X <= FLeftMargin;
    const bool extend = Shift.Contains(ssShift);
    if (FMarginSelect) {
        FMarginAnchor = PosOfLine(line, 1);
        if (!extend) MoveCaretTo(line, 1, false);
        TrackMouse(X, Y);
    } else {
        MoveCaretTo(line, col, extend);
    }
    FLastScrollTick = GetTickCount();
}

void TOvcCustomEditor::TrackMouse(int32_t X, int32_t Y) {
    int32_t line = 1, col = 1;
    MouseToLineCol(X, Y, line, col);
    if (!FMarginSelect) return MoveCaretTo(line, col, true);
    // Whole lines: the anchor at the start of the first, the caret past the last.
    const TTextPos anchor = FMarginAnchor;
    int32_t anchorLine = 1, anchorCol = 1;
    LineOfPos(anchor, anchorLine, anchorCol);
    if (line >= anchorLine) {
        const int32_t end = line < GetLineCount() ? line + 1 : line;
        const int32_t endCol = line < GetLineCount() ? 1 : LineLength(line) + 1;
        InvalidateLines(std::min(FCaretLine, anchorLine), INT32_MAX);
        FAnchorLine = anchorLine;
        FAnchorCol = 1;
        FAnchorPos = PosOfLine(anchorLine, 1);
        FCaretLine = end;
        FCaretCol = endCol;
    } else {
        const int32_t anchorEnd = anchorLine < GetLineCount() ? anchorLine + 1 : anchorLine;
        InvalidateLines(std::min(FCaretLine, line), INT32_MAX);
        FAnchorLine = anchorEnd;
        FAnchorCol = anchorEnd == anchorLine ? LineLength(anchorLine) + 1 : 1;
        FAnchorPos = PosOfLine(FAnchorLine, FAnchorCol);
        FCaretLine = line;
        FCaretCol = 1;
    }
    FCaretPos = PosOfLine(FCaretLine, FCaretCol);
    ScrollCaretIntoView();
}

void TOvcCustomEditor::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
    TOvcEditBase::MouseMove(Shift, X, Y);
    if (!FMouseCaptured) return;
    FLastMouseX = X;
    FLastMouseY = Y;
    const bool outside = Y < 0 || Y >= ClientHeight() || X < 0 || X >= ClientWidth();
    if (!outside) {
        StopAutoScroll();
        TrackMouse(X, Y);
        return;
    }
    AutoScrollTick();
}

// One step of the text following the mouse outside the window; the next step comes sooner the
// farther away the mouse is.
void TOvcCustomEditor::AutoScrollTick() {
    if (!FMouseCaptured) return StopAutoScroll();
    const int32_t X = FLastMouseX, Y = FLastMouseY;
    int32_t distance = 0, lines = 0, cols = 0;
    if (Y < 0) distance = -Y, lines = -1;
    if (Y >= ClientHeight()) distance = Y - ClientHeight() + 1, lines = 1;
    if (X < 0) distance = std::max(distance, -X), cols = -1;
    if (X >= ClientWidth()) distance = std::max(distance, X - ClientWidth() + 1), cols = 1;
    if (lines == 0 && cols == 0) return StopAutoScroll();
    const int32_t wait = std::max(MinAutoScrollMs, 3 * GetSystemMetrics(SM_CYHSCROLL) - distance);
    const uint32_t now = GetTickCount();
    if (now - FLastScrollTick >= static_cast<uint32_t>(wait)) {
        FLastScrollTick = now;
        Scroll(WordWrap() ? 0 : cols, lines);
        TrackMouse(std::clamp(X, 0, ClientWidth() - 1), lines < 0   ? 0
                                                        : lines > 0 ? ClientHeight() - 1
                                                                    : Y);
    }
    if (!FAutoScroll) {
        FAutoScroll = std::make_unique<TTimer>(nullptr);
        FAutoScroll->OnTimer = [this](TObject*) { AutoScrollTick(); };
    }
    FAutoScroll->SetInterval(static_cast<uint32_t>(wait));
    FAutoScroll->SetEnabled(true);
}

void TOvcCustomEditor::StopAutoScroll() {
    if (FAutoScroll) FAutoScroll->SetEnabled(false);
}

void TOvcCustomEditor::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    TOvcEditBase::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FMouseCaptured) return;
    FMouseCaptured = false;
    StopAutoScroll();
    if (GetCapture() == Handle()) ReleaseCapture();
}

void TOvcCustomEditor::WMLButtonDblClk(TMessage& Message) {
    const auto x = static_cast<int16_t>(Message.LParam & 0xFFFF);
    const auto y = static_cast<int16_t>((Message.LParam >> 16) & 0xFFFF);
    const bool extend = (Message.WParam & MK_SHIFT) != 0;
    int32_t line = 1, col = 1;
    MouseToLineCol(x, y, line, col);
    const TTextPos at = PosOfLine(line, col);
    const std::string_view text = FParas->ParaText(at.Para);
    TTextPos from{at.Para, 1}, to{at.Para, Length(text) + 1};
    if (x > FLeftMargin) {
        auto start = static_cast<size_t>(std::min(at.Pos - 1, Length(text)));
        auto end = start;
        while (start > 0 && !IsDelimiter(text[start - 1]))
            --start;
        while (end < text.size() && !IsDelimiter(text[end]))
            ++end;
        while (end < text.size() && IsBlank(text[end]))
            ++end;
        from.Pos = static_cast<int32_t>(start) + 1;
        to.Pos = static_cast<int32_t>(end) + 1;
    }
    if (!extend) MoveCaretToPos(from, false);
    MoveCaretToPos(to, true);
    Message.Result = 0;
}

void TOvcCustomEditor::WMSetFocus(TMessage& Message) {
    TOvcEditBase::WMSetFocus(Message);
    if (ControllerAssigned()) SetInsertMode(Controller()->InsertMode);
    FCaret->SetLinked(true);
    PlaceCaret();
    FCaret->SetVisible(true);
    if (FHideSelection && HasSelection()) Invalidate();
}

void TOvcCustomEditor::WMKillFocus(TMessage& Message) {
    FCaret->SetVisible(false);
    FCaret->SetLinked(false);
    if (FHideSelection && HasSelection()) Invalidate();
    if (ControllerAssigned()) Controller()->InsertMode = FInsertMode;
    TOvcEditBase::WMKillFocus(Message);
}

void TOvcCustomEditor::WMSize(TMessage& Message) {
    const bool fittedBefore = GetLineCount() <= FVisibleLines;
    TOvcEditBase::WMSize(Message);
    UpdateMetrics();
    if (!fittedBefore && GetLineCount() <= FVisibleLines && FTopLine != 1) Scroll(0, 1 - FTopLine);
}

void TOvcCustomEditor::WMEraseBkgnd(TMessage& Message) {
    // Painting fills every pixel.
    Message.Result = 1;
}

void TOvcCustomEditor::CMCtl3DChanged(TMessage& Message) {
    TOvcEditBase::CMCtl3DChanged(Message);
    if (FBorderStyle == bsSingle) RecreateWnd();
}

void TOvcCustomEditor::CMFontChanged(TMessage& Message) {
    TOvcEditBase::CMFontChanged(Message);
    if (HandleAllocated()) UpdateMetrics();
}

void TOvcCustomEditor::CreateParams(TCreateParams& Params) {
    TOvcEditBase::CreateParams(Params);
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TOvcCustomEditor::CreateWnd() {
    // A recreated window gets the focus back from the framework's RecreateWnd.
    TOvcEditBase::CreateWnd();
    if (FShowBookmarks) LoadMarkers();
    UpdateVertScrollBar();
    UpdateHorzScrollBar();
    UpdateMetrics();
}

}  // namespace vex
