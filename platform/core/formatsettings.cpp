#include "platform/core/formatsettings.h"

namespace vex {

TFormatSettings& FormatSettings() {
    static TFormatSettings settings;
    return settings;
}

TFormatSettingsOverride::TFormatSettingsOverride(const TFormatSettings& Settings)
    : FSaved(FormatSettings()) {
    FormatSettings() = Settings;
}

TFormatSettingsOverride::~TFormatSettingsOverride() {
    FormatSettings() = FSaved;
}

}  // namespace vex
