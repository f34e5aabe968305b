#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/core/events.h"
#include "platform/core/object.h"
#include "platform/gfx/colors.h"
#include "platform/ui/label.h"

namespace vex {

// The geometry presets of the effects label.
enum TEsAppearance : uint8_t { apNone, apCustom, apFlying, apRaised, apSunken, apShadow };
// The colour presets: highlight, shadow and text colours together.
enum TEsColorScheme : uint8_t { csCustom, csText, csWindows, csEmbossed, csGold, csSteel };
// Which way a shadow or highlight runs, one pixel a step, y growing downwards. Scoped because the
// border routines' sides are named sdLeft and sdRight too, and one program may use both.
enum class TEsShadeDirection : uint8_t {
    sdNone,
    sdUp,
    sdUpRight,
    sdRight,
    sdDownRight,
    sdDown,
    sdDownLeft,
    sdLeft,
    sdUpLeft
};
// A single copy at full depth, a copy at every step, or every step in colours running to the
// font's.
enum TEsShadeStyle : uint8_t { ssPlain, ssExtrude, ssGraduated };
enum TEsGraduateStyle : uint8_t { gsNone, gsHorizontal, gsVertical };
using TEsDepth = uint8_t;

// The effect settings of an effects label. Every change tells the label through OnColorChange
// (the three colours) or OnStyleChange (the rest), unless held back between BeginUpdate and
// EndUpdate, which then tells both whether or not anything changed.
class TEsCustomSettings : public TPersistent {
    VEX_CLASS(TEsCustomSettings, TPersistent)

public:
    TColor GraduateFromColor() const { return FValues.GraduateFromColor; }
    void SetGraduateFromColor(TColor Value);
    TEsGraduateStyle GraduateStyle() const { return FValues.GraduateStyle; }
    void SetGraduateStyle(TEsGraduateStyle Value);
    TColor HighlightColor() const { return FValues.HighlightColor; }
    void SetHighlightColor(TColor Value);
    TEsDepth HighlightDepth() const { return FValues.HighlightDepth; }
    void SetHighlightDepth(TEsDepth Value);
    TEsShadeDirection HighlightDirection() const { return FValues.HighlightDirection; }
    void SetHighlightDirection(TEsShadeDirection Value);
    TEsShadeStyle HighlightStyle() const { return FValues.HighlightStyle; }
    void SetHighlightStyle(TEsShadeStyle Value);
    TColor ShadowColor() const { return FValues.ShadowColor; }
    void SetShadowColor(TColor Value);
    TEsDepth ShadowDepth() const { return FValues.ShadowDepth; }
    void SetShadowDepth(TEsDepth Value);
    TEsShadeDirection ShadowDirection() const { return FValues.ShadowDirection; }
    void SetShadowDirection(TEsShadeDirection Value);
    TEsShadeStyle ShadowStyle() const { return FValues.ShadowStyle; }
    void SetShadowStyle(TEsShadeStyle Value);

    void BeginUpdate() { FUpdating = true; }
    void EndUpdate();

    // From other settings: the ten values, without telling anyone.
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnColorChange;
    TNotifyEvent OnStyleChange;

private:
    template <class T>
    void Change(T& Field, T Value, const TNotifyEvent& Event);

    // What Assign copies, apart from the events.
    struct TValues {
        TColor GraduateFromColor = 0x808080;
        TEsGraduateStyle GraduateStyle = gsNone;
        TColor HighlightColor = 0xFFFFFF;
        TEsDepth HighlightDepth = 1;
        TEsShadeDirection HighlightDirection = TEsShadeDirection::sdUpLeft;
        TEsShadeStyle HighlightStyle = ssPlain;
        TColor ShadowColor = 0x000000;
        TEsDepth ShadowDepth = 1;
        TEsShadeDirection ShadowDirection = TEsShadeDirection::sdDownRight;
        TEsShadeStyle ShadowStyle = ssPlain;
    };

    TValues FValues;
    bool FUpdating = false;
};

// A caption painted with a shadow and a highlight, each a run of offset copies of the text, and a
// face either in the font colour or filled with a gradient. Appearance and ColorScheme set the
// effects at once; changing one effect on its own makes them apCustom and csCustom, except while
// the label is loading, so that stored combinations stay as stored.
class TEsCustomLabel : public TCustomLabel {
    VEX_CLASS(TEsCustomLabel, TCustomLabel)

public:
    explicit TEsCustomLabel(TComponent* AOwner);

    TEsAppearance Appearance() const { return FAppearance; }
    void SetAppearance(TEsAppearance Value);
    TEsColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TEsColorScheme Value);
    TEsCustomSettings& CustomSettings() { return FCustomSettings; }
    const TEsCustomSettings& CustomSettings() const { return FCustomSettings; }
    std::string Version() const { return "1.05"; }

protected:
    void Paint() override;

private:
    struct TSchemeColors {
        TColor Highlight;
        TColor Shadow;
        TColor Text;
    };

    void SettingsColorChange(TObject* Sender);
    void SettingsStyleChange(TObject* Sender);

    TEsAppearance FAppearance = apRaised;
    TEsColorScheme FColorScheme = csWindows;
    TEsCustomSettings FCustomSettings;
    std::array<TSchemeColors, csSteel + 1> FSchemeColors;
    bool FSettingScheme = false;
    bool FSettingAppearance = false;
};

class TEsLabel : public TEsCustomLabel {
    VEX_CLASS(TEsLabel, TEsCustomLabel)

public:
    using TEsCustomLabel::TEsCustomLabel;
};

}  // namespace vex
