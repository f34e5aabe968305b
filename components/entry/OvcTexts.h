#pragma once

#include <cstdint>
#include <string>

namespace vex {

// Ids of the component table "ENTRY_STRINGS_ENGLISH", the source of every text the TOvc
// controls show.

// The editing commands' names, "ccNone" first, by command code (0 to 75), and the entry-field
// data types' names, "String" first, by data-type code (0 to 15).
inline constexpr uint16_t scCommandNameBase = 33768;
inline constexpr uint16_t scDataTypeNameBase = 34068;

// Messages.
inline constexpr uint16_t scUnknownError = 34168;
inline constexpr uint16_t scDuplicateCommand = 34169;
inline constexpr uint16_t scTableNotFound = 34170;
inline constexpr uint16_t scNotImplemented = 34171;
inline constexpr uint16_t scNoControllerAssigned = 34172;
inline constexpr uint16_t scCantCreateCommandTable = 34173;
inline constexpr uint16_t scCantDeleteCommandTable = 34174;
inline constexpr uint16_t scInvalidKeySequence = 34175;
inline constexpr uint16_t scNotWordStarCommand = 34176;
inline constexpr uint16_t scNoCommandSelected = 34177;
inline constexpr uint16_t scDuplicateKeySequence = 34178;
inline constexpr uint16_t scRangeError = 34179;
inline constexpr uint16_t scInvalidNumber = 34180;
inline constexpr uint16_t scRequiredField = 34181;
inline constexpr uint16_t scInvalidDate = 34182;
inline constexpr uint16_t scInvalidTime = 34183;
inline constexpr uint16_t scBlanksInField = 34184;
inline constexpr uint16_t scPartialEntry = 34185;
inline constexpr uint16_t scRegionTooLarge = 34186;
inline constexpr uint16_t scOutOfMemoryForCopy = 34187;
inline constexpr uint16_t scInvalidParameter = 34188;
inline constexpr uint16_t scNoTimersAvailable = 34189;
inline constexpr uint16_t scTooManyEvents = 34190;
inline constexpr uint16_t scBadTriggerHandle = 34191;
inline constexpr uint16_t scOnSelectNotAssigned = 34192;
inline constexpr uint16_t scInvalidPageIndex = 34193;
inline constexpr uint16_t scInvalidDataType = 34194;
inline constexpr uint16_t scInvalidTabFont = 34195;
inline constexpr uint16_t scInvalidLabelFont = 34196;
inline constexpr uint16_t scOutOfMemory = 34197;
inline constexpr uint16_t scTooManyParas = 34198;
inline constexpr uint16_t scCannotJoin = 34199;
inline constexpr uint16_t scTooManyBytes = 34200;
inline constexpr uint16_t scParaTooLong = 34201;
inline constexpr uint16_t scInvalidPictureMask = 34202;
inline constexpr uint16_t scInvalidRange = 34203;
inline constexpr uint16_t scInvalidRealRange = 34204;
inline constexpr uint16_t scInvalidExtendedRange = 34205;
inline constexpr uint16_t scInvalidDoubleRange = 34206;
inline constexpr uint16_t scInvalidSingleRange = 34207;
inline constexpr uint16_t scInvalidCompRange = 34208;
inline constexpr uint16_t scInvalidDateRange = 34209;
inline constexpr uint16_t scInvalidTimeRange = 34210;
inline constexpr uint16_t scInvalidRangeValue = 34211;
inline constexpr uint16_t scRangeNotSupported = 34212;
inline constexpr uint16_t scInvalidLineOrParaIndex = 34213;
inline constexpr uint16_t scNonFixedFont = 34214;
inline constexpr uint16_t scInvalidFontParam = 34215;
inline constexpr uint16_t scInvalidLineOrColumn = 34216;
inline constexpr uint16_t scControlAttached = 34237;

// Captions and names.
inline constexpr uint16_t scNone = 34268;
inline constexpr uint16_t scUserCommand = 34269;
inline constexpr uint16_t scUserCommandNumbered = 34270;  // "ccUser%d"
inline constexpr uint16_t scDeleteTable = 34271;
inline constexpr uint16_t scRenameTable = 34272;
inline constexpr uint16_t scNewTableName = 34273;
inline constexpr uint16_t scNewTable = 34274;
inline constexpr uint16_t scDefaultTableName = 34275;
inline constexpr uint16_t scWordStarTableName = 34276;
inline constexpr uint16_t scUnknown = 34277;
inline constexpr uint16_t scEntryErrorCaption = 34278;
inline constexpr uint16_t scGetItemNotAssigned = 34279;
inline constexpr uint16_t scSampleListItem = 34280;
inline constexpr uint16_t scAlphaString = 34281;  // "a" to "z", then "A" to "Z"
inline constexpr uint16_t scTallLowChars = 34282;
inline constexpr uint16_t scDefaultColorScheme = 34283;
inline constexpr uint16_t scGridColorScheme = 34284;
inline constexpr uint16_t scDescSuffix = 34285;
inline constexpr uint16_t scDefaultCaption = 34286;
inline constexpr uint16_t scRestoreMi = 34287;
inline constexpr uint16_t scCutMi = 34288;
inline constexpr uint16_t scCopyMi = 34289;
inline constexpr uint16_t scPasteMi = 34290;
inline constexpr uint16_t scDeleteMi = 34291;
inline constexpr uint16_t scSelectAllMi = 34292;

// The yes, no, true and false characters.
inline constexpr uint16_t scYesChar = 34368;
inline constexpr uint16_t scNoChar = 34369;
inline constexpr uint16_t scTrueChar = 34370;
inline constexpr uint16_t scFalseChar = 34371;

// A line per picture-mask character (24), then sample masks with descriptions in two runs.
inline constexpr uint16_t scPictureMaskCharFirst = 34468;
inline constexpr uint16_t scPictureMaskCharLast = 34491;
inline constexpr uint16_t scSampleMaskNumericFirst = 34493;
inline constexpr uint16_t scSampleMaskNumericLast = 34510;
inline constexpr uint16_t scSampleMaskTextFirst = 34518;
inline constexpr uint16_t scSampleMaskTextLast = 34541;

// The text of Ident in the component table, "" when it has none. Raises
// ETpsStringResourceError only when the table itself cannot be opened.
std::string GetOvcString(uint16_t Ident);

}  // namespace vex
