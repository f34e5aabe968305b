#include "platform/ui/spinedit.h"

#include <algorithm>
#include <climits>
#include <string>

#include "platform/core/stringutils.h"
#include "platform/ui/editmessages.h"
#include "platform/win/keyboard.h"
#include "platform/win/systemmetrics.h"

namespace vex {

namespace {

constexpr int32_t kButtonWidth = 15;

// Whether S is a whole number written in decimal, of any size: spaces, a sign, digits.
bool IsDecimal(const std::string& S) {
    size_t i = S.find_first_not_of(' ');
    if (i == std::string::npos) return false;
    if (S[i] == '+' || S[i] == '-') ++i;
    return i < S.size() && S.find_first_not_of("0123456789", i) == std::string::npos;
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner), FButton(new TSpinButton(this)) {
    FButton->SetBounds(0, 0, kButtonWidth, 17);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
    FButton->SetParent(this);
    TCustomEdit::SetText("0");
    PlaceButton();
}

int32_t TSpinEdit::Value() {
    const std::string text = Text();
    int32_t value = 0;
    if (TryStrToInt(text, value)) return value;
    // A number past the 32-bit range is taken at the end it passed, not as no number at all.
    if (IsDecimal(text)) return text.find('-') != std::string::npos ? INT32_MIN : INT32_MAX;
    return FMinValue;
}

void TSpinEdit::SetValue(int32_t Value) {
    SetText(std::to_string(CheckValue(Value)));
}

int64_t TSpinEdit::CheckValue(int64_t NewValue) const {
    if (FMinValue == 0 && FMaxValue == 0) return NewValue;
    if (NewValue < FMinValue) return FMinValue;
    if (NewValue > FMaxValue) return FMaxValue;
    return NewValue;
}

void TSpinEdit::Step(int64_t By) {
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    SetValue(SaturateToInt32(CheckValue(int64_t{Value()} + By)));
}

void TSpinEdit::UpClick(TObject*) {
    Step(FIncrement);
}

void TSpinEdit::DownClick(TObject*) {
    Step(-int64_t{FIncrement});
}

bool TSpinEdit::IsValidChar(char Key) const {
    const bool digitOrSign = (Key >= '0' && Key <= '9') || Key == '+' || Key == '-';
    // Enter is no editing key: it goes to the form's default button.
    const bool control = static_cast<unsigned char>(Key) < 0x20 && Key != '\r';
    if (!digitOrSign && !control) return false;
    if (FEditorEnabled) return true;
    // With the editor off only copying is left of the keys that reach the text.
    return Key == '\x03';
}

void TSpinEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
    if (Key == VK_UP) UpClick(this);
    if (Key == VK_DOWN) DownClick(this);
    if (Key == VK_UP || Key == VK_DOWN) {
        TCustomEdit::KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    // Delete, Shift+Delete and Shift+Insert change the text without a character.
    if (!FEditorEnabled && (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))) {
        Key = 0;
        MessageBeep(0);
        return;
    }
    TCustomEdit::KeyDown(Key, Shift);
}

void TSpinEdit::KeyPress(char& Key) {
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
        return;
    }
    TCustomEdit::KeyPress(Key);
}

void TSpinEdit::CMExit(TMessage& Message) {
    TCustomEdit::CMExit(Message);
    const int32_t value = SaturateToInt32(CheckValue(Value()));
    if (Text() != std::to_string(value)) SetValue(value);
}

void TSpinEdit::CMEnabledChanged(TMessage& Message) {
    TCustomEdit::CMEnabledChanged(Message);
    FButton->SetEnabled(Enabled());
}

void TSpinEdit::Resize() {
    TCustomEdit::Resize();
    PlaceButton();
}

void TSpinEdit::PlaceButton() {
    const TRect client = ClientRect();
    FButton->SetBounds(client.Right - kButtonWidth, 0, kButtonWidth, client.Bottom);
    Perform(EM_SETRECTNP, 0, 0);
    TRect text = FormattingRect();
    text.Right = std::max(text.Left, client.Right - kButtonWidth - 1);
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}

bool TSpinEdit::UserMayEdit() const {
    return FEditorEnabled && TCustomEdit::UserMayEdit();
}

}  // namespace vex
