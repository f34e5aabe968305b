#pragma once

#include <cstdint>
#include <string>

#include "platform/core/exceptions.h"

namespace vex {

using DBIResult = uint16_t;

// Result codes of the engine. Callers test some of them by number, so the numbers are fixed.
inline constexpr DBIResult DBIERR_NONE = 0;
inline constexpr DBIResult DBIERR_BOF = 8705;
inline constexpr DBIResult DBIERR_EOF = 8706;
inline constexpr DBIResult DBIERR_NOCURRREC = 8709;
inline constexpr DBIResult DBIERR_RECNOTFOUND = 8710;
inline constexpr DBIResult DBIERR_OBJNOTFOUND = 8712;
inline constexpr DBIResult DBIERR_INVALIDHNDL = 9986;
inline constexpr DBIResult DBIERR_INVALIDPARAM = 9988;
inline constexpr DBIResult DBIERR_NOSUCHFILTER = 9990;
inline constexpr DBIResult DBIERR_INVALIDFILTER = 9991;
inline constexpr DBIResult DBIERR_TABLEEXISTS = 10024;
inline constexpr DBIResult DBIERR_KEYVIOL = 9729;
inline constexpr DBIResult DBIERR_REQDERR = 9732;
inline constexpr DBIResult DBIERR_NOTSUFFFIELDRIGHTS = 10497;
inline constexpr DBIResult DBIERR_NOTSUFFTABLERIGHTS = 10498;
inline constexpr DBIResult DBIERR_INVALIDPASSWORD = 10499;
inline constexpr DBIResult DBIERR_NOSUCHTABLE = 10024 + 2;
inline constexpr DBIResult DBIERR_QRYSYNTAX = 11777;
inline constexpr DBIResult DBIERR_QRYNOTSUPPORTED = 11778;
inline constexpr DBIResult DBIERR_NOTSUPPORTED = 12289;
inline constexpr DBIResult DBIERR_CANNOTOPEN = 12290;
inline constexpr DBIResult DBIERR_DBFAILURE = 12291;

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
