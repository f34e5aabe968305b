#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vex {

// The engine's logical field types. Filter blocks name constants by these numbers, so they are
// part of the block format and never renumbered.
enum : uint16_t {
    fldUNKNOWN = 0,
    fldZSTRING = 1,
    fldDATE = 2,
    fldBLOB = 3,
    fldBOOL = 4,
    fldINT16 = 5,
    fldINT32 = 6,
    fldFLOAT = 7,
    fldBCD = 8,
    fldTIME = 10,
    fldTIMESTAMP = 11,
    fldUINT16 = 12,
};

// Subtypes that refine a logical type.
enum : uint16_t {
    fldstNONE = 0,
    fldstMONEY = 21,    // fldFLOAT
    fldstMEMO = 22,     // fldBLOB
    fldstFMTMEMO = 24,  // fldBLOB
    fldstAUTOINC = 29,  // fldINT32
};

// Bytes of a packed BCD value in a record buffer: precision, sign and decimals, 32 bytes of digits.
inline constexpr uint32_t BcdSize = 34;

// One field of a cursor's record. A record buffer holds, per field, a blank flag byte at
// NullOffset (1 = blank) and the value at Offset in the engine's encoding: strings
// NUL-terminated in Units1 + 1 bytes, Boolean int16 (all bits set for true), date int32 day
// number (1 January of year 1 = 1), time int32 milliseconds, time stamp double milliseconds,
// BCD packed. Blobs take no value bytes; they are read through the cursor.
struct FLDDesc {
    uint16_t iFldNum = 0;  // from 1
    std::string szName;
    uint16_t iFldType = fldUNKNOWN;
    uint16_t iSubType = fldstNONE;
    uint16_t iUnits1 = 0;  // string length, BCD precision
    uint16_t iUnits2 = 0;  // BCD decimals
    uint32_t iOffset = 0;
    uint32_t iLen = 0;
    uint32_t iNullOffset = 0;
    bool bRequired = false;
};

// Bytes of the value of a field of this type and length.
uint32_t FieldValueLength(uint16_t Type, uint16_t Units1);

// Lays the fields out one after another and returns the record size.
uint32_t LayOutRecord(std::vector<FLDDesc>& Fields);

}  // namespace vex
