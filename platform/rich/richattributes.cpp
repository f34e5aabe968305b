#include "platform/rich/richattributes.h"

#include <algorithm>
#include <climits>

#include "platform/core/exceptions.h"
#include "platform/rich/richedit.h"
#include "platform/rich/richfontstyle.h"

namespace vex {

namespace {

constexpr int32_t kTwipsPerPoint = TParaAttributes::TwipsPerPoint;
// Where stops added by a longer tab count go after the last: half an inch apart.
constexpr int32_t kDefaultTabStep = 720;

// Points far out of range are kept at what twips can hold rather than wrapping around.
int32_t Saturated(int64_t Twips) {
    return static_cast<int32_t>(std::clamp<int64_t>(Twips, INT32_MIN, INT32_MAX));
}

int32_t PointsToTwips(int32_t Points) {
    return Saturated(int64_t{Points} * kTwipsPerPoint);
}

}  // namespace

TRichCharFormat TTextAttributes::Format(uint32_t* Mask) const {
    const TRichEditEngine& engine = FOwner.Engine();
    if (FType == atDefaultText) {
        if (Mask != nullptr) *Mask = CFM_ALL;
        return engine.DefaultCharFormat();
    }
    uint32_t mask = 0;
    TRichCharFormat format = engine.SelCharFormat(mask);
    if (Mask != nullptr) *Mask = mask;
    return format;
}

void TTextAttributes::Apply(const TRichCharFormat& Format, uint32_t Mask) {
    TRichEditEngine& engine = FOwner.Engine();
    if (FType == atSelected) {
        FOwner.ChangeFormats([&] { engine.SetSelCharFormat(Format, Mask); }, false);
        return;
    }
    TRichCharFormat merged = engine.DefaultCharFormat();
    merged.Assign(Format, Mask);
    merged.Normalize(engine.DefaultCharFormat().Charset);
    FOwner.ChangeFormats([&] { engine.SetDefaultCharFormat(merged); }, true);
}

void TTextAttributes::SetName(const std::string& Value) {
    TRichCharFormat format;
    format.SetFace(Value);
    format.Pitch = Format().Pitch;
    Apply(format, CFM_FACE);
}

int32_t TTextAttributes::Size() const {
    return Format().Size / kTwipsPerPoint;
}

void TTextAttributes::SetSize(int32_t Value) {
    TRichCharFormat format;
    format.Size = std::clamp(Value, MinFontSize / kTwipsPerPoint, MaxFontSize / kTwipsPerPoint) *
                  kTwipsPerPoint;
    Apply(format, CFM_SIZE);
}

int32_t TTextAttributes::Height() const {
    return MulDiv(Size(), ScreenPixelsPerInch, 72);
}

void TTextAttributes::SetHeight(int32_t Value) {
    SetSize(MulDiv(Value, 72, ScreenPixelsPerInch));
}

TColor TTextAttributes::Color() const {
    return FontColorOf(Format(), clWindowText);
}

void TTextAttributes::SetColor(TColor Value) {
    TRichCharFormat format;
    SetFontColor(format, Value);
    Apply(format, CFM_COLOR);
}

TFontStyles TTextAttributes::Style() const {
    return FontStylesOf(Format());
}

void TTextAttributes::SetStyle(TFontStyles Value) {
    TRichCharFormat format;
    SetFontStyles(format, Value);
    Apply(format, CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT);
}

TFontPitch TTextAttributes::Pitch() const {
    return FontPitchOf(Format().Pitch);
}

void TTextAttributes::SetPitch(TFontPitch Value) {
    // The pitch travels with the face name.
    TRichCharFormat format;
    format.Face = Format().Face;
    format.Pitch = RichPitchOf(Value);
    Apply(format, CFM_FACE);
}

void TTextAttributes::SetCharset(TFontCharset Value) {
    TRichCharFormat format;
    format.Charset = Value;
    Apply(format, CFM_CHARSET);
}

void TTextAttributes::SetProtected(bool Value) {
    TRichCharFormat format;
    format.Protected = Value;
    Apply(format, CFM_PROTECTED);
}

TConsistentAttributes TTextAttributes::ConsistentAttributes() const {
    uint32_t mask = 0;
    Format(&mask);
    TConsistentAttributes result;
    const std::pair<uint32_t, TConsistentAttribute> bits[] = {
        {CFM_BOLD, caBold},           {CFM_COLOR, caColor},        {CFM_FACE, caFace},
        {CFM_ITALIC, caItalic},       {CFM_SIZE, caSize},          {CFM_STRIKEOUT, caStrikeOut},
        {CFM_UNDERLINE, caUnderline}, {CFM_PROTECTED, caProtected}};
    for (const auto& [bit, attribute] : bits)
        if ((mask & bit) != 0) result.Include(attribute);
    return result;
}

void TTextAttributes::Assign(const TPersistent* Source) {
    if (const auto* font = dynamic_cast<const TFont*>(Source)) {
        TRichCharFormat format;
        format.SetFace(font->Name());
        format.Pitch = RichPitchOf(font->Pitch());
        // The size in points, whatever resolution the font is drawn at.
        format.Size = std::clamp(font->Size() * kTwipsPerPoint, MinFontSize, MaxFontSize);
        SetFontColor(format, font->Color());
        format.Charset = font->Charset();
        SetFontStyles(format, font->Style());
        Apply(format, CFM_ALL & ~CFM_PROTECTED);
        return;
    }
    if (const auto* other = dynamic_cast<const TTextAttributes*>(Source)) {
        Apply(other->Format(), CFM_ALL);
        return;
    }
    TPersistent::Assign(Source);
}

void TTextAttributes::AssignTo(TPersistent* Dest) const {
    auto* font = dynamic_cast<TFont*>(Dest);
    if (font == nullptr) {
        TPersistent::AssignTo(Dest);
        return;
    }
    font->SetName(Name());
    font->SetSize(Size());
    font->SetColor(Color());
    font->SetStyle(Style());
    font->SetPitch(Pitch());
    font->SetCharset(Charset());
}

TRichParaFormat TParaAttributes::Format() const {
    uint32_t mask = 0;
    return FOwner.Engine().SelParaFormat(mask);
}

void TParaAttributes::Apply(const TRichParaFormat& Format, uint32_t Mask) {
    FOwner.ChangeFormats([&] { FOwner.Engine().SetSelParaFormat(Format, Mask); }, false);
}

TAlignment TParaAttributes::Alignment() const {
    switch (Format().Alignment) {
        case PFA_RIGHT:
            return taRightJustify;
        case PFA_CENTER:
            return taCenter;
        default:
            return taLeftJustify;
    }
}

void TParaAttributes::SetAlignment(TAlignment Value) {
    TRichParaFormat format;
    format.Alignment = Value == taRightJustify ? PFA_RIGHT
                       : Value == taCenter     ? PFA_CENTER
                                               : PFA_LEFT;
    Apply(format, PFM_ALIGNMENT);
}

void TParaAttributes::SetFirstIndent(int32_t Value) {
    TRichParaFormat format;
    format.StartIndent = PointsToTwips(Value);
    Apply(format, PFM_STARTINDENT);
}

void TParaAttributes::SetLeftIndent(int32_t Value) {
    TRichParaFormat format;
    format.Offset = PointsToTwips(Value);
    Apply(format, PFM_OFFSET);
}

void TParaAttributes::SetRightIndent(int32_t Value) {
    TRichParaFormat format;
    format.RightIndent = PointsToTwips(Value);
    Apply(format, PFM_RIGHTINDENT);
}

TNumberingStyle TParaAttributes::Numbering() const {
    return Format().Numbering == PFN_BULLET ? nsBullet : nsNone;
}

void TParaAttributes::SetNumbering(TNumberingStyle Value) {
    TRichParaFormat format;
    format.Numbering = Value == nsBullet ? PFN_BULLET : 0;
    Apply(format, PFM_NUMBERING);
}

int32_t TParaAttributes::Tab(int32_t Index) const {
    if (Index < 0 || Index >= static_cast<int32_t>(MAX_TAB_STOPS))
        throw ERangeError("Tab index out of range (" + std::to_string(Index) + ")");
    const std::vector<int32_t> tabs = Format().Tabs;
    return Index < static_cast<int32_t>(tabs.size())
               ? tabs[static_cast<size_t>(Index)] / kTwipsPerPoint
               : 0;
}

void TParaAttributes::SetTab(int32_t Index, int32_t Value) {
    Tab(Index);  // the range check
    TRichParaFormat format = Format();
    std::vector<int32_t> tabs = format.Tabs;
    if (Index >= static_cast<int32_t>(tabs.size())) tabs.resize(static_cast<size_t>(Index) + 1, 0);
    tabs[static_cast<size_t>(Index)] = PointsToTwips(Value);
    format.SetTabs(tabs);
    Apply(format, PFM_TABSTOPS);
}

int32_t TParaAttributes::TabCount() const {
    return static_cast<int32_t>(Format().Tabs.size());
}

void TParaAttributes::SetTabCount(int32_t Value) {
    const auto count = static_cast<size_t>(std::clamp<int32_t>(Value, 0, MAX_TAB_STOPS));
    TRichParaFormat format = Format();
    std::vector<int32_t> tabs = format.Tabs;
    while (tabs.size() < count)
        tabs.push_back(Saturated(int64_t{tabs.empty() ? 0 : tabs.back()} + kDefaultTabStep));
    tabs.resize(count);
    format.SetTabs(tabs);
    Apply(format, PFM_TABSTOPS);
}

void TParaAttributes::Assign(const TPersistent* Source) {
    const auto* other = dynamic_cast<const TParaAttributes*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    Apply(other->Format(), PFM_ALL);
}

}  // namespace vex
