#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/core/geometry.h"
#include "platform/ui/printer.h"

namespace vex {

class TForm;

// What a page-setup run is given and gives back, in the flags of the record.
inline constexpr uint32_t PSD_MARGINS = 0x00000002;
inline constexpr uint32_t PSD_INTHOUSANDTHSOFINCHES = 0x00000004;
inline constexpr uint32_t PSD_INHUNDREDTHSOFMILLIMETERS = 0x00000008;
inline constexpr uint32_t PSD_DISABLEPAPER = 0x00000200;
inline constexpr uint32_t PSD_ENABLEPAGESETUPHOOK = 0x00002000;

// One page-setup run: the printer's name and device mode (its paper size and orientation), and
// the four margins. With PSD_MARGINS the margins are the ones to start from, else each is an
// inch. They are in thousandths of an inch with PSD_INTHOUSANDTHSOFINCHES, else in hundredths of
// a millimetre; the record comes back with PSD_MARGINS and the unit's flag set. PSD_DISABLEPAPER
// leaves the paper size as it is. With PSD_ENABLEPAGESETUPHOOK, Hook sees the form before it shows.
struct TPageSetupDlg {
    uint32_t Flags = 0;
    std::string Device;
    TDeviceMode DevMode;
    TRect Margins;  // Left, Top, Right, Bottom
    std::function<void(TForm&)> Hook;
};

// Runs the page-setup form on Record. Accepting (OK, with margins that leave room on the paper)
// answers true with Record changed; Cancel, or no display and no script, answers false and leaves
// it as it was. A device mode naming a paper size or orientation the printer does not know, or
// both units at once, is an EPrinter before anything shows. The caller applies the record
// (TPrinter::SetPrinter). The form's parts are named "PaperSize", "Orientation", "LeftMargin",
// "RightMargin", "TopMargin", "BottomMargin", "OK" and "Cancel".
bool PageSetupDlg(TPageSetupDlg& Record);

// A margin as the form shows it: inches with up to three decimals, millimetres with up to two,
// so that the record's unit is kept exactly.
enum TMarginUnit { muThousandthsOfInches, muHundredthsOfMillimetres };
std::string MarginText(int32_t Value, TMarginUnit Unit);
// The margin a text gives, rounded to the unit; nothing for a text that is not a number of at
// most 10000 inches or millimetres, or is negative.
std::optional<int32_t> MarginValue(const std::string& Text, TMarginUnit Unit);
// Whether the margins leave some of the paper, as it lies, to print on.
bool MarginsLeaveRoom(const TRect& Margins, TMarginUnit Unit, const TPaperSize& Paper,
                      int16_t Orientation);

}  // namespace vex
