#pragma once

#include <cstdint>
#include <memory>

#include "platform/ui/inputevents.h"

namespace vex {

class TwwPickerParts;
class TwwPickerPartsHost;

// The picker's part editor, held through this so that the picker's files, which name the data
// layer's TDateTimeField, never meet the format tokeniser's struct of that name.
class TwwPickerPartsHandle {
public:
    explicit TwwPickerPartsHandle(TwwPickerPartsHost& Host);
    ~TwwPickerPartsHandle();
    TwwPickerPartsHandle(const TwwPickerPartsHandle&) = delete;
    TwwPickerPartsHandle& operator=(const TwwPickerPartsHandle&) = delete;

    void SetCurrentPart(int32_t Part);
    void HighlightCurrentPart();
    void CommitPending();
    void DropPending();
    void KeyDown(uint16_t& Key, TShiftState Shift);
    void KeyPress(char& Key);
    void MouseDown(int32_t X);
    void DoubleClick();
    void Cut();
    void Paste();

private:
    std::unique_ptr<TwwPickerParts> FParts;
};

}  // namespace vex
