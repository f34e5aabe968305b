#include <algorithm>
#include <charconv>

#include "components/entry/OvcEF.h"
#include "components/entry/OvcIntl.h"
#include "components/entry/OvcStr.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/drawtext.h"

namespace vex {

namespace {

bool IsControlChar(char C) {
    return static_cast<uint8_t>(C) < ' ';
}

}  // namespace

std::string TOvcBaseEntryField::GetDisplayString() {
    std::string display = EditString;
    for (char& c : display)
        if (IsControlChar(c)) c = static_cast<char>(c + 64);
    const uint8_t code = DataType();
    const bool hide = FZeroDisplay == zdHide ||
                      (FZeroDisplay == zdHideUntilModified && !EntryState.Contains(esModified));
    if (!hide || !(IsIntegerCode(code) || IsRealCode(code))) return display;
    std::string number;
    for (char c : EditString) {
        if (c == ' ' || c == IntlSup().CommaChar()) continue;
        number += c == IntlSup().DecimalChar() ? '.' : c;
    }
    double value = 0;
    const char* last = number.data() + number.size();
    const auto [end, error] = std::from_chars(number.data(), last, value);
    if (!number.empty() && error == std::errc() && end == last && value == FZeroDisplayValue)
        display.assign(display.size(), ' ');
    return display;
}

int32_t TOvcBaseEntryField::TextWidthOf(const std::string& Text) {
    if (Text.empty()) return 0;
    if (!FMeasure) {
        FMeasure = std::make_unique<TBitmap>();
        FMeasure->SetSize(1, 1);
    }
    TCanvas& canvas = FMeasure->Canvas();
    canvas.Font().Assign(&Font());
    return canvas.TextWidth(Text);
}

uint16_t TOvcBaseEntryField::CharIndexAt(int32_t X) {
    const std::string display = GetDisplayString();
    int32_t left = FTextMargin - 1;
    if (FRightAlign || FieldClass() == fcNumeric) {
        const int32_t width = TextWidthOf(display.substr(HDelta));
        left = std::max(left, ClientWidth() - (FTextMargin + 1) - width);
    }
    size_t index = HDelta;
    while (index < display.size()) {
        const int32_t next = left + TextWidthOf(display.substr(HDelta, index + 1 - HDelta));
        const int32_t current = left + TextWidthOf(display.substr(HDelta, index - HDelta));
        if (X < (current + next) / 2) break;
        ++index;
    }
    return static_cast<uint16_t>(index);
}

int32_t TOvcBaseEntryField::CaretLeft(const std::string& Display) {
    const int32_t right = ClientWidth() - (FTextMargin + 1);
    if (FieldClass() == fcNumeric) return right;
    const size_t caret = std::min<size_t>(CaretPos, Display.size());
    if (FRightAlign) {
        const int32_t whole = TextWidthOf(Display.substr(HDelta));
        if (whole <= right - (FTextMargin - 1))
            return right - TextWidthOf(Display.substr(caret)) - 1;
    }
    return TextWidthOf(Display.substr(HDelta, caret - HDelta)) + FTextMargin - 2;
}

void TOvcBaseEntryField::UpdateCaret() {
    if (!FieldHasFocus() || !HandleAllocated()) return;
    const std::string display = GetDisplayString();
    if (FieldClass() == fcNumeric) {
        HDelta = 0;
    } else {
        if (CaretPos < HDelta) HDelta = CaretPos;
        const size_t caret = std::min<size_t>(CaretPos, display.size());
        const int32_t room = ClientWidth() - (FTextMargin + 1);
        while (!FRightAlign && HDelta < caret &&
               TextWidthOf(display.substr(HDelta, caret - HDelta)) > room)
            ++HDelta;
    }
    const char under = CaretPos < display.size() ? display[CaretPos] : ' ';
    FCaret->SetCellHeight(FontCellHeight(Font()));
    FCaret->SetCellWidth(std::max(1, TextWidthOf(std::string(1, under))));
    FCaret->SetPosition(Point(CaretLeft(display), std::max(0, TopMargin)));
    Invalidate();
}

void TOvcBaseEntryField::Paint() {
    const TRect client = ClientRect();
    TBitmap buffer;
    buffer.SetSize(client.Right, client.Bottom);
    TCanvas& canvas = buffer.Canvas();
    canvas.Font().Assign(&Font());
    PaintText(canvas);
    Canvas().Draw(0, 0, buffer);
}

void TOvcBaseEntryField::PaintText(TCanvas& Canvas) {
    const TRect client = Rect(0, 0, ClientWidth(), ClientHeight());
    TColor back = Color();
    TColor text = Font().Color();
    if (EntryState.Contains(esInvalid)) {
        back = FErrorColors.BackColor();
        text = FErrorColors.TextColor();
    } else if (!Enabled()) {
        back = FDisabledColors.BackColor();
        text = FDisabledColors.TextColor();
    }
    Canvas.Brush().SetColor(back);
    Canvas.FillRect(client);
    const int32_t top = TopMargin;
    const bool showSelection = FieldHasFocus() && SelEnd > SelStart;
    std::string display = GetDisplayString();

    if (FieldClass() == fcNumeric) {
        TrimTrailPrimPChar(display);
        const int32_t x = client.Right - (FTextMargin + 1) - TextWidthOf(display);
        Canvas.SetBkColor(showSelection ? FHighlightColors.BackColor() : back);
        Canvas.SetTextColor(showSelection ? FHighlightColors.TextColor() : text);
        Canvas.ExtTextOut(x, top, ETO_CLIPPED | (showSelection ? ETO_OPAQUE : 0), &client, display);
        return;
    }

    const std::string shown = display.substr(std::min<size_t>(HDelta, display.size()));
    int32_t x = FTextMargin - 1;
    const int32_t width = TextWidthOf(shown);
    if (FRightAlign && width <= client.Right - 2 * FTextMargin)
        x = client.Right - (FTextMargin + 1) - width;
    // Runs of characters that share their colours.
    size_t i = HDelta;
    while (i < display.size()) {
        const auto kind = [&](size_t At) {
            if (showSelection && At >= SelStart && At < SelEnd) return 2;
            return IsControlChar(EditString[At]) ? 1 : 0;
        };
        const int run = kind(i);
        size_t j = i + 1;
        while (j < display.size() && kind(j) == run)
            ++j;
        const std::string piece = display.substr(i, j - i);
        const int32_t pieceWidth = TextWidthOf(piece);
        Canvas.SetBkColor(run == 2 ? FHighlightColors.BackColor() : back);
        Canvas.SetTextColor(run == 2 ? FHighlightColors.TextColor() : run == 1 ? FCtrlColor : text);
        const TRect cell = Rect(x, top, x + pieceWidth, top + FontCellHeight(Font()));
        TRect clip;
        IntersectRect(clip, cell, client);
        Canvas.ExtTextOut(x, top, ETO_CLIPPED | (run == 2 ? ETO_OPAQUE : 0), &clip, piece);
        x += pieceWidth;
        i = j;
    }
}

void TOvcBaseEntryField::WMEraseBkgnd(TMessage& Message) {
    Message.Result = 1;
}

void TOvcBaseEntryField::WMSize(TMessage& Message) {
    TOvcBase::WMSize(Message);
    UpdateTopMargin();
    Invalidate();
}

void TOvcBaseEntryField::CMFontChanged(TMessage& Message) {
    TOvcBase::CMFontChanged(Message);
    AdjustBounds();
    UpdateTopMargin();
    if (FieldHasFocus()) UpdateCaret();
    Invalidate();
}

void TOvcBaseEntryField::CMCtl3DChanged(TMessage& Message) {
    TOvcBase::CMCtl3DChanged(Message);
    if (ComponentState().Contains(csLoading)) return;
    if (HandleAllocated() && FBorderStyle == bsSingle) RecreateWnd();
    AdjustBounds();
    UpdateTopMargin();
}

}  // namespace vex
