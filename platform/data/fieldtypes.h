#pragma once

#include <string>

#include "platform/data/dbitypes.h"

namespace vex {

// The declared column types the engine understands, case-insensitive:
//   CHAR(n) VARCHAR(n) TEXT STRING     string of n (else 255) characters
//   SMALLINT  WORD  INTEGER INT  AUTOINC  whole numbers of 16, unsigned 16 and 32 bits
//   BOOLEAN LOGICAL  FLOAT DOUBLE REAL  MONEY CURRENCY  NUMERIC(p,s) DECIMAL(p,s)
//   DATE  TIME  TIMESTAMP DATETIME  BLOB  MEMO  FMTMEMO
// Anything else reads as a string of 255 characters. Dates and times are stored as ISO 8601
// text, decimals as their decimal text, Booleans as 0 and 1. Decimals keep every digit in a
// column of text affinity, which "DECIMAL TEXT(p,s)" declares; a plain NUMERIC column lets
// SQLite turn the text into a double of 15 digits.
void DescribeDeclaredType(const std::string& Declared, FLDDesc& Field);

// The declared type that describes the field again.
std::string DeclaredType(const FLDDesc& Field);

}  // namespace vex
