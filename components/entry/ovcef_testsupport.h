#pragma once

// A plain field on the entry field base, as a descendant builds one: typing, deleting, moving
// and selecting in a string, and a value of the field's type checked against its range.

#include <algorithm>
#include <string>

#include "components/entry/OvcCmd.h"
#include "components/entry/OvcEF.h"

namespace vex::test {

class TPlainEntryField : public TOvcBaseEntryField {
    VEX_CLASS(TPlainEntryField, TOvcBaseEntryField)

public:
    explicit TPlainEntryField(TComponent* AOwner, uint8_t DataType = fsubString)
        : TOvcBaseEntryField(AOwner) {
        FieldType = DataType;
        ResetRange();
    }

    // The text as the program sets it.
    void SetText(const std::string& Value) {
        EditString = Value.substr(0, MaxLength());
        CaretPos = std::min<uint16_t>(CaretPos, static_cast<uint16_t>(EditString.size()));
        SelStart = SelEnd = 0;
        Invalidate();
    }
    void SetMask(const std::string& Value) { Mask = Value; }

    void PerformEdit(TMessage& Msg, uint16_t Cmd) override {
        const auto length = static_cast<uint16_t>(EditString.size());
        const bool selected = SelEnd > SelStart;
        switch (Cmd) {
            case ccChar:
                Replace(std::string(1, static_cast<char>(Msg.WParam)));
                break;
            case ccPaste:
                Replace(*reinterpret_cast<const std::string*>(Msg.LParam));
                break;
            case ccBack:
            case ccDel:
                if (!selected) {
                    if (Cmd == ccBack && CaretPos == 0) break;
                    if (Cmd == ccDel && CaretPos >= length) break;
                    SelStart = Cmd == ccBack ? CaretPos - 1 : CaretPos;
                    SelEnd = SelStart + 1;
                }
                Replace("");
                break;
            case ccCut:
                if (selected) Replace("");
                break;
            case ccLeft:
            case ccRight:
            case ccHome:
            case ccEnd:
                MoveTo(Cmd == ccHome   ? 0
                       : Cmd == ccEnd  ? length
                       : Cmd == ccLeft ? std::max(CaretPos, uint16_t{1}) - 1
                                       : std::min<uint16_t>(CaretPos + 1, length),
                       false);
                break;
            case ccExtendLeft:
            case ccExtendRight:
            case ccExtendHome:
            case ccExtendEnd:
                MoveTo(Cmd == ccExtendHome   ? 0
                       : Cmd == ccExtendEnd  ? length
                       : Cmd == ccExtendLeft ? std::max(CaretPos, uint16_t{1}) - 1
                                             : std::min<uint16_t>(CaretPos + 1, length),
                       true);
                break;
            case ccMouse:
                FAnchor = CharIndexAt(GET_X_LPARAM(Msg.LParam));
                MoveTo(FAnchor, false);
                break;
            case ccMouseMove:
                MoveTo(CharIndexAt(GET_X_LPARAM(Msg.LParam)), true);
                break;
            case ccDblClk:
                SetSelection(0, length);
                break;
            case ccIns:
                SetInsertMode(!State().Contains(esInsertMode));
                break;
            case ccRestore:
                Restore();
                break;
            case ccCopy:
                break;
            default:
                // Unmapped keys are typed by their character message.
                EntryState.Include(esAllowChar);
                break;
        }
    }

    uint16_t ValidateData() override {
        const uint8_t code = DataType();
        if (!IsIntegerCode(code) && !IsRealCode(code)) return 0;
        long double value = 0;
        if (!TextToExtended(EditText(), value)) return oeInvalidNumber;
        if (value < RangeAsExtended(code, RangeLoValue) ||
            value > RangeAsExtended(code, RangeHiValue))
            return oeRangeError;
        return 0;
    }

private:
    void MoveTo(uint16_t Pos, bool Extend) {
        if (!Extend || SelEnd == SelStart) FAnchor = Extend ? CaretPos : Pos;
        CaretPos = Pos;
        SelStart = std::min(FAnchor, Pos);
        SelEnd = std::max(FAnchor, Pos);
        Invalidate();
    }
    void Replace(const std::string& Text) {
        const size_t start =
            std::min<size_t>(SelEnd > SelStart ? SelStart : CaretPos, EditString.size());
        const size_t end = SelEnd > SelStart ? std::min<size_t>(SelEnd, EditString.size()) : start;
        std::string next = EditString.substr(0, start) + Text + EditString.substr(end);
        if (next.size() > MaxLength()) {
            Beep();
            return;
        }
        EditString = next;
        CaretPos = static_cast<uint16_t>(start + Text.size());
        SelStart = SelEnd = 0;
        EntryState.Include(esModified);
        EntryState.Include(esModifiedSinceEnter);
        Invalidate();
        DoOnChange();
    }

    uint16_t FAnchor = 0;
};

}  // namespace vex::test
