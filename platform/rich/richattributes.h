#pragma once

#include <cstdint>

#include "platform/core/object.h"
#include "platform/core/set.h"
#include "platform/core/types.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/font.h"
#include "platform/rich/richformats.h"

namespace vex {

class TCustomRichEdit;

// Which character attributes hold one value over the whole selection.
enum TConsistentAttribute {
    caBold,
    caColor,
    caFace,
    caItalic,
    caSize,
    caStrikeOut,
    caUnderline,
    caProtected
};
using TConsistentAttributes = TSet<TConsistentAttribute, 8>;

// The character formats a rich-text control reads and sets through one object: those of the
// selection (what is typed next when nothing is selected) or the control's defaults. Sizes are
// points, heights pixels of the screen's 96 per inch. Setting is the program's change: it
// works in a read-only control.
class TTextAttributes : public TPersistent {
    VEX_CLASS(TTextAttributes, TPersistent)

public:
    enum TAttributeType { atSelected, atDefaultText };

    TTextAttributes(TCustomRichEdit& Owner, TAttributeType Type) : FOwner(Owner), FType(Type) {}

    std::string Name() const { return Format().Face; }
    void SetName(const std::string& Value);
    int32_t Size() const;
    void SetSize(int32_t Value);
    int32_t Height() const;
    void SetHeight(int32_t Value);
    // clWindowText stands for the automatic colour, as the fonts' default colour does.
    TColor Color() const;
    void SetColor(TColor Value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles Value);
    TFontPitch Pitch() const;
    void SetPitch(TFontPitch Value);
    TFontCharset Charset() const { return Format().Charset; }
    void SetCharset(TFontCharset Value);
    bool Protected() const { return Format().Protected; }
    void SetProtected(bool Value);
    TConsistentAttributes ConsistentAttributes() const;

    // From a TFont or other text attributes.
    void Assign(const TPersistent* Source) override;

protected:
    // Into a TFont.
    void AssignTo(TPersistent* Dest) const override;

private:
    TRichCharFormat Format(uint32_t* Mask = nullptr) const;
    void Apply(const TRichCharFormat& Format, uint32_t Mask);

    TCustomRichEdit& FOwner;
    TAttributeType FType;
};

enum TNumberingStyle { nsNone, nsBullet };

// The paragraph formats of the paragraphs the selection touches. Indents and tabs are points.
// FirstIndent is where the first line starts, LeftIndent where the others start from it.
class TParaAttributes : public TPersistent {
    VEX_CLASS(TParaAttributes, TPersistent)

public:
    explicit TParaAttributes(TCustomRichEdit& Owner) : FOwner(Owner) {}

    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    int32_t FirstIndent() const { return Format().StartIndent / TwipsPerPoint; }
    void SetFirstIndent(int32_t Value);
    int32_t LeftIndent() const { return Format().Offset / TwipsPerPoint; }
    void SetLeftIndent(int32_t Value);
    int32_t RightIndent() const { return Format().RightIndent / TwipsPerPoint; }
    void SetRightIndent(int32_t Value);
    TNumberingStyle Numbering() const;
    void SetNumbering(TNumberingStyle Value);
    // Index 0 to MAX_TAB_STOPS - 1, else ERangeError; a stop beyond the count reads 0.
    int32_t Tab(int32_t Index) const;
    void SetTab(int32_t Index, int32_t Value);
    int32_t TabCount() const;
    // Cut to 0 to MAX_TAB_STOPS; new stops follow the last one half an inch apart.
    void SetTabCount(int32_t Value);

    void Assign(const TPersistent* Source) override;

    static constexpr int32_t TwipsPerPoint = 20;

private:
    TRichParaFormat Format() const;
    void Apply(const TRichParaFormat& Format, uint32_t Mask);

    TCustomRichEdit& FOwner;
};

}  // namespace vex
