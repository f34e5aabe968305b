#include "components/entry/EsLabel.h"

#include "components/entry/raisedflag.h"
#include "platform/ui/controlmessages.h"

namespace vex {

template <class T>
void TEsCustomSettings::Change(T& Field, T Value, const TNotifyEvent& Event) {
    if (Field == Value) return;
    Field = Value;
    if (!FUpdating && Event) Event(this);
}

void TEsCustomSettings::SetGraduateFromColor(TColor Value) {
    Change(FValues.GraduateFromColor, Value, OnColorChange);
}

void TEsCustomSettings::SetGraduateStyle(TEsGraduateStyle Value) {
    Change(FValues.GraduateStyle, Value, OnStyleChange);
}

void TEsCustomSettings::SetHighlightColor(TColor Value) {
    Change(FValues.HighlightColor, Value, OnColorChange);
}

void TEsCustomSettings::SetHighlightDepth(TEsDepth Value) {
    Change(FValues.HighlightDepth, Value, OnStyleChange);
}

void TEsCustomSettings::SetHighlightDirection(TEsShadeDirection Value) {
    Change(FValues.HighlightDirection, Value, OnStyleChange);
}

void TEsCustomSettings::SetHighlightStyle(TEsShadeStyle Value) {
    Change(FValues.HighlightStyle, Value, OnStyleChange);
}

void TEsCustomSettings::SetShadowColor(TColor Value) {
    Change(FValues.ShadowColor, Value, OnColorChange);
}

void TEsCustomSettings::SetShadowDepth(TEsDepth Value) {
    Change(FValues.ShadowDepth, Value, OnStyleChange);
}

void TEsCustomSettings::SetShadowDirection(TEsShadeDirection Value) {
    Change(FValues.ShadowDirection, Value, OnStyleChange);
}

void TEsCustomSettings::SetShadowStyle(TEsShadeStyle Value) {
    Change(FValues.ShadowStyle, Value, OnStyleChange);
}

void TEsCustomSettings::EndUpdate() {
    FUpdating = false;
    if (OnColorChange) OnColorChange(this);
    if (OnStyleChange) OnStyleChange(this);
}

void TEsCustomSettings::Assign(const TPersistent* Source) {
    const auto* other = dynamic_cast<const TEsCustomSettings*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FValues = other->FValues;
}

TEsCustomLabel::TEsCustomLabel(TComponent* AOwner)
    : TCustomLabel(AOwner),
      FSchemeColors{{
          {0xFFFFFF, 0x000000, 0x808080},  // csCustom, as csWindows until another is chosen
          {0xFFFFFF, 0x808080, 0x000000},  // csText
          {0xFFFFFF, 0x000000, 0x808080},  // csWindows
          {0xFFFFFF, 0x000000, 0xC0C0C0},  // csEmbossed
          {0x00FFFF, 0x000000, 0x008080},  // csGold
          {0xFFFF00, 0x800000, 0x808000},  // csSteel
      }} {
    const TSchemeColors& windows = FSchemeColors[csWindows];
    FCustomSettings.SetHighlightColor(windows.Highlight);
    FCustomSettings.SetShadowColor(windows.Shadow);
    FCustomSettings.OnColorChange = [this](TObject* Sender) { SettingsColorChange(Sender); };
    FCustomSettings.OnStyleChange = [this](TObject* Sender) { SettingsStyleChange(Sender); };
    SetAutoSize(false);
    SetBounds(Left(), Top(), 150, 35);
    SetTransparent(true);
    Font().SetName("Times New Roman");
    Font().SetSize(20);
    Font().SetColor(windows.Text);
    SetWordWrap(true);
}

void TEsCustomLabel::SettingsColorChange(TObject*) {
    if (ComponentState().Contains(csLoading)) return;
    Invalidate();
    if (FSettingScheme) return;
    FColorScheme = csCustom;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TEsCustomLabel::SettingsStyleChange(TObject*) {
    if (ComponentState().Contains(csLoading)) return;
    Invalidate();
    if (FSettingAppearance) return;
    FAppearance = apCustom;
    Perform(CM_TEXTCHANGED, 0, 0);
}

namespace {

// Makes Changes with the settings' notifications held back; both are sent at the end, also when
// a change fails (a failure of theirs then is the one that goes on).
template <class TChanges>
void ChangeTogether(TEsCustomSettings& Settings, TChanges&& Changes) {
    Settings.BeginUpdate();
    try {
        Changes(Settings);
    } catch (...) {
        Settings.EndUpdate();
        throw;
    }
    Settings.EndUpdate();
}

}  // namespace

void TEsCustomLabel::SetColorScheme(TEsColorScheme Value) {
    if (FColorScheme == Value) return;
    const TSchemeColors colors = FSchemeColors.at(Value);
    {
        const TRaisedFlag setting(FSettingScheme);
        FColorScheme = Value;
        ChangeTogether(FCustomSettings, [&](TEsCustomSettings& S) {
            S.SetHighlightColor(colors.Highlight);
            Font().SetColor(colors.Text);
            S.SetShadowColor(colors.Shadow);
            if (Value != csCustom) FSchemeColors[csCustom] = colors;
        });
    }
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TEsCustomLabel::SetAppearance(TEsAppearance Value) {
    if (FAppearance == Value) return;
    const TSchemeColors scheme = FSchemeColors.at(FColorScheme);
    {
        const TRaisedFlag setting(FSettingAppearance);
        FAppearance = Value;
        ChangeTogether(FCustomSettings, [&](TEsCustomSettings& S) {
            using enum TEsShadeDirection;
            const auto preset = [&S](TEsShadeDirection Highlight, TEsShadeDirection Shadow,
                                     TEsDepth HighlightDepth, TEsDepth ShadowDepth) {
                S.SetHighlightDirection(Highlight);
                S.SetShadowDirection(Shadow);
                S.SetHighlightDepth(HighlightDepth);
                S.SetShadowDepth(ShadowDepth);
            };
            S.SetHighlightColor(scheme.Highlight);
            switch (Value) {
                case apNone:
                    preset(sdNone, sdNone, 0, 0);
                    break;
                case apCustom:
                    break;
                case apFlying:
                    preset(sdDownRight, sdDownRight, 1, 5);
                    S.SetShadowColor(scheme.Shadow);
                    break;
                case apRaised:
                    preset(sdUpLeft, sdDownRight, 1, 1);
                    break;
                case apSunken:
                    preset(sdDownRight, sdUpLeft, 1, 1);
                    break;
                case apShadow:
                    preset(sdNone, sdDownRight, 0, 2);
                    break;
            }
        });
    }
    Perform(CM_TEXTCHANGED, 0, 0);
}

}  // namespace vex
