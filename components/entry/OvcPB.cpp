#include "components/entry/OvcPB.h"

#include <algorithm>
#include <vector>

#include "components/entry/OvcIntl.h"

namespace vex {

TOvcPictureBase::TOvcPictureBase(TComponent* AOwner)
    : TOvcBaseEntryField(AOwner), FPicture(IntlSup(), UserData()) {
    FieldType = fcPictureBit;
    RebuildFlags();
}

TPictureFieldKind TOvcPictureBase::FieldKind() const {
    TPictureFieldKind kind;
    kind.Numeric = FieldClass() == fcNumeric;
    kind.NumberBase = NumberBase() != 10;
    kind.RealValue = FRealField;
    kind.RightJustify = RightJustify();
    return kind;
}

void TOvcPictureBase::RebuildFlags() {
    Picture().Assign(Mask, MaxLength());
    if (FPicture.NoLiterals()) {
        EntryState.Include(esNoLiterals);
    } else {
        EntryState.Exclude(esNoLiterals);
        if (RightJustify()) SetRightJustify(false);
    }
}

std::string TOvcPictureBase::StrippedText() const {
    return FPicture.StripPicture(EditString);
}

std::string TOvcPictureBase::MergedText(const std::string& Value) {
    return Picture().MergeWithPicture(Value, FieldKind());
}

TOvcPictureMask& TOvcPictureBase::Picture() {
    FPicture.SetUserData(UserData());
    return FPicture;
}

void TOvcPictureBase::SetPictureMaskText(const std::string& Value) {
    const bool loading = ComponentState().Contains(csLoading);
    std::vector<uint8_t> value;
    if (!loading && HandleAllocated()) {
        value.assign(std::max<size_t>(DataSize(), MaxEntryFieldLength + 1), 0);
        GetValue(value.data());
    }
    uint16_t length = MaxLength();
    Mask = TOvcPictureMask::FitMask(Value, FieldClass() == fcNumeric, length);
    if (length != MaxLength()) SetMaxLength(length);
    EditString.clear();
    RebuildFlags();
    if (!value.empty()) SetValue(value.data());
}

void TOvcPictureBase::MoveCaretToEnd() {
    CaretPos = static_cast<uint16_t>(FPicture.EndCaretPosition(EditString));
}

void TOvcPictureBase::MoveCaretToStart() {
    TOvcBaseEntryField::MoveCaretToStart();
    CaretPos = FirstEditPosition();
}

uint16_t TOvcPictureBase::FirstEditPosition() {
    return static_cast<uint16_t>(FPicture.FirstEditPosition());
}

bool TOvcPictureBase::IsEmpty() {
    return FPicture.IsEmpty(EditString);
}

std::string TOvcPictureBase::GetDisplayString() {
    if (Uninitialized() && !Focused()) return std::string(MaxLength(), ' ');
    return FPicture.DisplayText(TOvcBaseEntryField::GetDisplayString(), FieldClass() == fcNumeric,
                                PasswordMode(), PadChar(), PasswordChar());
}

void TOvcPictureBase::FixOptions() {
    TOvcBaseEntryField::FixOptions();
    if (DataType() == fsubString && !EntryState.Contains(esNoLiterals) && RightJustify())
        SetRightJustify(false);
}

void TOvcPictureBase::SetCaretPosition(int32_t Pos) {
    if (!Focused()) return;
    CaretPos = static_cast<uint16_t>(FPicture.CaretPosition(static_cast<size_t>(std::max(Pos, 0))));
    UpdateCaret();
}

void TOvcPictureBase::AlignDecimalsIfModified() {
    if (FieldClass() == fcPicture && FPicture.DecimalPos() != std::string::npos && Modified())
        FPicture.AlignDecimals(EditString);
}

bool TOvcPictureBase::ValidateContents(bool ReportError) {
    if (FPicture.DecimalPos() != std::string::npos) FPicture.AlignDecimals(EditString);
    return TOvcBaseEntryField::ValidateContents(ReportError);
}

void TOvcPictureBase::PrepareForEdit() {
    if (FPicture.FloatCount() == 0) return;
    std::string text = EditString;
    const std::string& currency = IntlSup().CurrencyLtStr();
    if (!currency.empty())
        if (const size_t at = text.find(currency); at != std::string::npos)
            text.replace(at, currency.size(), std::string(currency.size(), ' '));
    std::replace(text.begin(), text.end(), IntlSup().CommaChar(), ' ');
    EditString = text;
    EntryState.Include(esReformatOnExit);
}

void TOvcPictureBase::CreateWnd() {
    RebuildFlags();
    // Set before the window exists: a change of decimals re-creates the window.
    FRealField = IsRealCode(DataType());
    if (FRealField && FPicture.DecimalPos() != std::string::npos) SetDecimalPlaces(0);
    TOvcBaseEntryField::CreateWnd();
}

void TOvcPictureBase::WMSetFocus(TMessage& Message) {
    RebuildFlags();
    TOvcBaseEntryField::WMSetFocus(Message);
}

void TOvcPictureBase::WMKillFocus(TMessage& Message) {
    AlignDecimalsIfModified();
    const std::weak_ptr<const void> life = LifeToken();
    TOvcBaseEntryField::WMKillFocus(Message);
    if (life.expired() || !EntryState.Contains(esReformatOnExit)) return;
    EntryState.Exclude(esReformatOnExit);
    EditString = MergedText(StrippedText());
    Invalidate();
}

}  // namespace vex
