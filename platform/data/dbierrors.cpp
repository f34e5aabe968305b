#include "platform/data/dbierrors.h"

#include <utility>

namespace vex {

std::string DbiErrorText(DBIResult Code) {
    static const std::pair<DBIResult, const char*> Texts[] = {
        {DBIERR_NONE, "No error"},
        {DBIERR_BOF, "At beginning of table"},
        {DBIERR_EOF, "At end of table"},
        {DBIERR_NOCURRREC, "No current record"},
        {DBIERR_RECNOTFOUND, "Record/key not found"},
        {DBIERR_OBJNOTFOUND, "Could not find object"},
        {DBIERR_INVALIDHNDL, "Invalid handle to the function"},
        {DBIERR_INVALIDPARAM, "Invalid parameter"},
        {DBIERR_NOSUCHFILTER, "Filter handle is invalid"},
        {DBIERR_INVALIDFILTER, "Invalid filter expression"},
        {DBIERR_TABLEEXISTS, "Table already exists"},
        {DBIERR_KEYVIOL, "Key violation"},
        {DBIERR_REQDERR, "Field value required"},
        {DBIERR_NOTSUFFFIELDRIGHTS, "Insufficient field rights for operation"},
        {DBIERR_NOTSUFFTABLERIGHTS, "Insufficient table rights for operation"},
        {DBIERR_INVALIDPASSWORD, "Invalid password given"},
        {DBIERR_NOSUCHTABLE, "Table does not exist"},
        {DBIERR_QRYSYNTAX, "Query syntax error"},
        {DBIERR_QRYNOTSUPPORTED, "Query not supported"},
        {DBIERR_NOTSUPPORTED, "Capability not supported"},
        {DBIERR_CANNOTOPEN, "Cannot open database file"},
        {DBIERR_DBFAILURE, "Database failure"},
    };
    for (const auto& [code, text] : Texts)
        if (code == Code) return text;
    return "Engine error " + std::to_string(Code);
}

EDBEngineError::EDBEngineError(DBIResult Code, const std::string& Detail)
    : Exception(Detail.empty() ? DbiErrorText(Code) : DbiErrorText(Code) + ".\n" + Detail),
      FCode(Code) {}

void Check(DBIResult Code) {
    if (Code != DBIERR_NONE) throw EDBEngineError(Code);
}

}  // namespace vex
