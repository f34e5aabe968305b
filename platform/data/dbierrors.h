#pragma once

#include <cstdint>
#include <string>

#include "platform/core/exceptions.h"

namespace vex {

using DBIResult = uint16_t;

// Result codes of the engine. Callers test some of them by number, so the numbers are fixed.
enum : DBIResult {
    DBIERR_NONE = 0,
    DBIERR_BOF = 8705,
    DBIERR_EOF = 8706,
    DBIERR_NOCURRREC = 8709,
    DBIERR_RECNOTFOUND = 8710,
    DBIERR_OBJNOTFOUND = 8712,
    DBIERR_INVALIDHNDL = 9986,
    DBIERR_INVALIDPARAM = 9988,
    DBIERR_NOSUCHFILTER = 9990,
    DBIERR_INVALIDFILTER = 9991,
    DBIERR_TABLEEXISTS = 10024,
    DBIERR_KEYVIOL = 9729,
    DBIERR_REQDERR = 9732,
    DBIERR_NOTSUFFFIELDRIGHTS = 10497,
    DBIERR_NOTSUFFTABLERIGHTS = 10498,
    DBIERR_INVALIDPASSWORD = 10499,
    DBIERR_NOSUCHTABLE = 10024 + 2,
    DBIERR_QRYSYNTAX = 11777,
    DBIERR_QRYNOTSUPPORTED = 11778,
    DBIERR_NOTSUPPORTED = 12289,
    DBIERR_CANNOTOPEN = 12290,
    DBIERR_DBFAILURE = 12291,
};

// The text of a result code; an unknown code reads as "Engine error <code>".
std::string DbiErrorText(DBIResult Code);

// The engine's failure, carrying its code. Detail adds what the engine knew (a table name, the
// database's own message).
class EDBEngineError : public Exception {
public:
    explicit EDBEngineError(DBIResult Code, const std::string& Detail = "");
    const char* ClassName() const override { return "EDBEngineError"; }
    DBIResult ErrorCode() const { return FCode; }

private:
    DBIResult FCode;
};

// The framework's database error: a dataset used wrongly (not the engine's refusal).
VEX_EXCEPTION(EDatabaseError, Exception);

// Raises EDBEngineError unless Code is DBIERR_NONE.
void Check(DBIResult Code);

}  // namespace vex
