#include "platform/data/fieldtypes.h"

#include <cstdlib>

#include "platform/core/stringutils.h"
#include "platform/data/enginevalues.h"

namespace vex {

namespace {

// The numbers inside "(a)" or "(a,b)", clamped to what a field can hold.
void Units(const std::string& Declared, uint16_t& A, uint16_t& B) {
    const size_t open = Declared.find('(');
    if (open == std::string::npos) return;
    const char* p = Declared.c_str() + open + 1;
    char* end = nullptr;
    const long a = std::strtol(p, &end, 10);
    if (end != p && a > 0) A = static_cast<uint16_t>(std::min(a, 8192L));
    while (*end == ' ')
        ++end;
    if (*end == ',') {
        const long b = std::strtol(end + 1, nullptr, 10);
        if (b > 0) B = static_cast<uint16_t>(std::min(b, 64L));
    }
}

}  // namespace

void DescribeDeclaredType(const std::string& Declared, FLDDesc& Field) {
    const std::string d = UpperCase(Trim(Declared));
    const std::string word = d.substr(0, d.find_first_of(" ("));
    Field.iSubType = fldstNONE;
    Field.iUnits1 = Field.iUnits2 = 0;
    const auto is = [&](std::initializer_list<const char*> Names) {
        for (const char* n : Names)
            if (word == n) return true;
        return false;
    };
    if (is({"SMALLINT"})) {
        Field.iFldType = fldINT16;
    } else if (is({"WORD"})) {
        Field.iFldType = fldUINT16;
    } else if (is({"INTEGER", "INT"})) {
        Field.iFldType = fldINT32;
    } else if (is({"AUTOINC"})) {
        Field.iFldType = fldINT32;
        Field.iSubType = fldstAUTOINC;
    } else if (is({"BOOLEAN", "LOGICAL"})) {
        Field.iFldType = fldBOOL;
    } else if (is({"FLOAT", "DOUBLE", "REAL"})) {
        Field.iFldType = fldFLOAT;
    } else if (is({"MONEY", "CURRENCY"})) {
        Field.iFldType = fldFLOAT;
        Field.iSubType = fldstMONEY;
    } else if (is({"NUMERIC", "DECIMAL"})) {
        Field.iFldType = fldBCD;
        Field.iUnits1 = 32;
        Units(d, Field.iUnits1, Field.iUnits2);
        Field.iUnits1 = std::min<uint16_t>(Field.iUnits1, BcdMaxDigits);
        Field.iUnits2 = std::min(Field.iUnits2, Field.iUnits1);
    } else if (is({"DATE"})) {
        Field.iFldType = fldDATE;
    } else if (is({"TIME"})) {
        Field.iFldType = fldTIME;
    } else if (is({"TIMESTAMP", "DATETIME"})) {
        Field.iFldType = fldTIMESTAMP;
    } else if (is({"BLOB"})) {
        Field.iFldType = fldBLOB;
    } else if (is({"MEMO"})) {
        Field.iFldType = fldBLOB;
        Field.iSubType = fldstMEMO;
    } else if (is({"FMTMEMO"})) {
        Field.iFldType = fldBLOB;
        Field.iSubType = fldstFMTMEMO;
    } else {
        Field.iFldType = fldZSTRING;
        Field.iUnits1 = 255;
        Units(d, Field.iUnits1, Field.iUnits2);
        Field.iUnits2 = 0;
    }
}

std::string DeclaredType(const FLDDesc& Field) {
    switch (Field.iFldType) {
        case fldZSTRING:
            return "VARCHAR(" + std::to_string(Field.iUnits1) + ")";
        case fldINT16:
            return "SMALLINT";
        case fldUINT16:
            return "WORD";
        case fldINT32:
            return Field.iSubType == fldstAUTOINC ? "AUTOINC" : "INTEGER";
        case fldBOOL:
            return "BOOLEAN";
        case fldFLOAT:
            return Field.iSubType == fldstMONEY ? "MONEY" : "FLOAT";
        case fldBCD:
            // TEXT in the name gives the column text affinity: SQLite keeps every digit.
            return "DECIMAL TEXT(" + std::to_string(Field.iUnits1) + "," +
                   std::to_string(Field.iUnits2) + ")";
        case fldDATE:
            return "DATE";
        case fldTIME:
            return "TIME";
        case fldTIMESTAMP:
            return "TIMESTAMP";
        default:
            return Field.iSubType == fldstMEMO      ? "MEMO"
                   : Field.iSubType == fldstFMTMEMO ? "FMTMEMO"
                                                    : "BLOB";
    }
}

}  // namespace vex
