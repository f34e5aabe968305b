#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/object.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/font.h"

namespace vex {

class TStringList;

// The face names of the fixed-pitch fonts, sorted: the installed families fontconfig reports as
// fixed pitch (the built-in fixed font among them), and the original's fixed faces ("Courier
// New", "Lucida Console" ...) that the font mapping draws with one of those. Filled on first use.
const TStringList& FixedFontList();

// A font restricted to the fixed-pitch faces of FixedFontList; a name outside it is ignored and
// an assignment of one raises EInvalidFixedFont.
class TOvcFixedFont : public TPersistent {
    VEX_CLASS(TOvcFixedFont, TPersistent)

public:
    TOvcFixedFont();
    ~TOvcFixedFont() override;
    TOvcFixedFont(const TOvcFixedFont&) = delete;
    TOvcFixedFont& operator=(const TOvcFixedFont&) = delete;

    TFont& Font() const { return *FFont; }

    TColor Color() const { return FFont->Color(); }
    void SetColor(TColor Value);
    const std::string& Name() const { return FFont->Name(); }
    // Only a name of FixedFontList, compared exactly.
    void SetName(const std::string& Value);
    int32_t Size() const { return FFont->Size(); }
    void SetSize(int32_t Value);
    TFontStyles Style() const { return FFont->Style(); }
    void SetStyle(TFontStyles Value);

    // From a TOvcFixedFont its font (keeping this name when that one's is not a fixed face),
    // from a TFont that font, which must have a fixed-pitch face.
    void Assign(const TPersistent* Source) override;

    std::function<void(TObject* Sender)> OnChange;

private:
    void DoOnChange();

    std::unique_ptr<TFont> FFont;
};

}  // namespace vex
