#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wweditorgrid.h"
#include "platform/core/codepage.h"
#include "platform/ui/editmessages.h"
#include "platform/win/keyboard.h"
#include "platform/win/messages.h"
#include "platform/win/systemmetrics.h"

namespace vex {

TwwCustomMaskEdit::TwwCustomMaskEdit(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), FPicture(std::make_unique<TwwDBPicture>(this)) {
    UpdateEditStyle();
}

TwwCustomMaskEdit::~TwwCustomMaskEdit() = default;

void TwwCustomMaskEdit::SetWordWrap(bool Value) {
    FWordWrap = Value;
    UpdateEditStyle();
}

void TwwCustomMaskEdit::SetWantReturns(bool Value) {
    FWantReturns = Value;
    UpdateEditStyle();
}

void TwwCustomMaskEdit::SetShowVertScrollBar(bool Value) {
    FShowVertScrollBar = Value;
    SetScrollStyle(Value ? WS_VSCROLL : 0);
}

void TwwCustomMaskEdit::UpdateEditStyle() {
    // Measuring the client area asks for the window's parameters again, and so comes back here.
    if (FChoosingStyle) return;
    FChoosingStyle = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FChoosingStyle};
    SetEditStyle(WantedEditStyle());
}

DWORD TwwCustomMaskEdit::WantedEditStyle() {
    DWORD style = ES_AUTOHSCROLL;
    // The edit rectangle can only be set on a multi-line edit.
    if (BorderStyle() != bsSingle || FWordWrap) style |= ES_MULTILINE;
    if (FWordWrap) style = (style | ES_AUTOVSCROLL) & ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (FWantReturns) style |= ES_WANTRETURN;
    return style;
}

bool TwwCustomMaskEdit::HasPicture() const {
    return FUsePictureMask && !FPicture->PictureMask().empty();
}

bool TwwCustomMaskEdit::IsValidPicture(const std::string& Text) {
    bool passes = true;
    if (!Text.empty() && HasPicture()) {
        TwwPictureValidator validator(FPicture->PictureMask(), FPicture->AutoFill());
        std::string matched = Text;
        passes = validator.MatchPicture(matched, false) == picComplete;
    }
    DoCheckValue(passes);
    return passes;
}

namespace {
// Retyping matches all typed so far again at every character, so its time grows with the square
// of the length; a longer text is left as it is, for the exit check to report.
constexpr size_t MaxRetypedLength = 1000;
}  // namespace

void TwwCustomMaskEdit::ApplyPicture() {
    TwwPictureValidator validator(FPicture->PictureMask(), FPicture->AutoFill());
    std::string text = EditText();
    if (validator.MatchPicture(text, FPicture->AutoFill()) == picError && FPicture->AutoFill() &&
        text.size() <= MaxRetypedLength) {
        // A text without the mask's literals ("5551234567" for a phone number), or with them
        // elsewhere ("555-123-4567"), goes in a character at a time as typing it would, and
        // punctuation the mask does not want there is left out: auto-fill puts the mask's own.
        // A letter or digit the mask refuses leaves the text as it was.
        std::string typed;
        for (const char c : EditText()) {
            std::string next = typed + c;
            const auto end = static_cast<int32_t>(typed.size());
            if (MatchTyped(typed, end, 0, c, next) != picError)
                typed = next;
            else if (IsAnsiAlpha(c) || (c >= '0' && c <= '9'))
                return;
        }
        text = typed;
    }
    if (text != EditText()) SetEditText(text);
}

void TwwCustomMaskEdit::SetEditRect() {
    if (!HandleAllocated()) return;
    int32_t margin = BorderStyle() == bsSingle ? 0 : 1;
    if (BorderStyle() != bsSingle && wwInGrid(this)) margin = 2;
    const TRect client = ClientRect();
    TRect rect = Rect(margin, margin, client.Right - 1, client.Bottom + 1);
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
}

void TwwCustomMaskEdit::DoCheckValue(bool PassesPictureTest) {
    if (OnCheckValue) OnCheckValue(this, PassesPictureTest);
}

void TwwCustomMaskEdit::SetChanged(bool Value) {
    SetModified(Value);
}

TwwPictureResult TwwCustomMaskEdit::MatchTyped(const std::string& Text, int32_t Start,
                                               int32_t Length, char Key, std::string& Typed) {
    TwwPictureValidator validator(FPicture->PictureMask(), FPicture->AutoFill());
    const TwwPictureResult result = validator.MatchPicture(Typed, FPicture->AutoFill());
    if (result != picError || !FPicture->AutoFill()) return result;
    // A key typed where the mask wants literals ("5" before the "(" of a phone number) comes
    // after them: the mask turns a blank in a literal's place into the literal.
    std::string before = Text.substr(0, static_cast<size_t>(Start));
    const std::string after = Text.substr(static_cast<size_t>(Start + Length));
    for (size_t step = 0; step < FPicture->PictureMask().size(); ++step) {
        std::string spaced = before + ' ';
        if (validator.MatchPicture(spaced, true) == picError || spaced.back() == ' ') break;
        before = spaced;
        std::string filled = before + Key + after;
        const TwwPictureResult retried = validator.MatchPicture(filled, true);
        if (retried != picError) {
            Typed = filled;
            return retried;
        }
    }
    return result;
}

bool TwwCustomMaskEdit::PictureKeyPress(char& Key) {
    if (!HasPicture()) return true;
    const std::string text = EditText();
    const int32_t start = SelStart();
    const int32_t length = SelLength();
    if (Key == '\b') {
        if (OnCheckValue && !TCustomEdit::ReadOnly()) {
            std::string after = text;
            if (length > 0)
                after.erase(static_cast<size_t>(start), static_cast<size_t>(length));
            else if (start > 0)
                after.erase(static_cast<size_t>(start - 1), 1);
            IsValidPicture(after);
        }
        return true;
    }
    if (!IsPrintable(Key)) {
        if (Key == '\r' && !FWantReturns) Key = 0;
        return true;
    }
    std::string typed = text.substr(0, static_cast<size_t>(start)) + Key +
                        text.substr(static_cast<size_t>(start + length));
    const size_t limit = static_cast<size_t>(MaxLength());
    if (limit > 0 && typed.size() > text.size() && typed.size() > limit) return true;

    const TwwPictureResult result = MatchTyped(text, start, length, Key, typed);
    const bool atEnd = start + length >= static_cast<int32_t>(text.size());
    bool passes = true;
    if (result == picComplete || result == picIncomplete) {
        if (!TCustomEdit::ReadOnly()) {
            const bool wholeSelected = length > 0 && length == static_cast<int32_t>(text.size());
            const int32_t growth =
                static_cast<int32_t>(typed.size()) - static_cast<int32_t>(text.size());
            int32_t caret = start + 1;
            if (wholeSelected)
                caret = static_cast<int32_t>(typed.size());
            else if (result == picComplete ? growth > 0 : length == 0)
                caret = start + growth;
            SetEditText(typed);
            SetSelStart(caret);
            SetChanged(true);
        }
        Key = 0;
        passes = result == picComplete;
    } else if (result == picError) {
        if (atEnd) {
            Key = 0;
            MessageBeep(0);
            return false;
        }
        passes = false;
    }
    if (!TCustomEdit::ReadOnly()) DoCheckValue(passes);
    return true;
}

void TwwCustomMaskEdit::CreateParams(TCreateParams& Params) {
    // A border, a password or the font may have changed since the styles were last chosen.
    UpdateEditStyle();
    TCustomMaskEdit::CreateParams(Params);
}

void TwwCustomMaskEdit::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    SetEditRect();
}

void TwwCustomMaskEdit::Resize() {
    TCustomMaskEdit::Resize();
    // Whether the edit is one line tall decides some of its styles.
    UpdateEditStyle();
    SetEditRect();
}

void TwwCustomMaskEdit::KeyPress(char& Key) {
    PictureKeyPress(Key);
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TwwCustomMaskEdit::KeyUp(uint16_t& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyUp(Key, Shift);
    if (Key == VK_DELETE && OnCheckValue) IsValidPicture(EditText());
}

void TwwCustomMaskEdit::CMExit(TMessage& Message) {
    FInvalidExit = false;
    if (HasPicture() && Modified() && !IsValidPicture(EditText()) &&
        !FPicture->AllowInvalidExit()) {
        // Set first: entering again is how the focus comes back, and must know why.
        FInvalidExit = true;
        SelectAll();
        if (CanFocus()) SetFocus();
        SetModified(true);
        MessageBeep(0);
        return;
    }
    TCustomMaskEdit::CMExit(Message);
}

}  // namespace vex
