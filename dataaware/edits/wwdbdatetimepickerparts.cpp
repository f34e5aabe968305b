#include "dataaware/edits/wwdbdatetimepickerparts.h"

#include "dataaware/edits/wwpickerparts.h"

namespace vex {

TwwPickerPartsHandle::TwwPickerPartsHandle(TwwPickerPartsHost& Host)
    : FParts(std::make_unique<TwwPickerParts>(Host)) {}

TwwPickerPartsHandle::~TwwPickerPartsHandle() = default;

void TwwPickerPartsHandle::SetCurrentPart(int32_t Part) {
    FParts->SetCurrentPart(Part);
}

void TwwPickerPartsHandle::HighlightCurrentPart() {
    FParts->HighlightCurrentPart();
}

void TwwPickerPartsHandle::CommitPending() {
    FParts->CommitPending();
}

void TwwPickerPartsHandle::DropPending() {
    FParts->DropPending();
}

void TwwPickerPartsHandle::KeyDown(uint16_t& Key, TShiftState Shift) {
    FParts->KeyDown(Key, Shift);
}

void TwwPickerPartsHandle::KeyPress(char& Key) {
    FParts->KeyPress(Key);
}

void TwwPickerPartsHandle::MouseDown(int32_t X) {
    FParts->MouseDown(X);
}

void TwwPickerPartsHandle::DoubleClick() {
    FParts->DoubleClick();
}

void TwwPickerPartsHandle::Cut() {
    FParts->Cut();
}

void TwwPickerPartsHandle::Paste() {
    FParts->Paste();
}

}  // namespace vex
