#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/dbicursor.h"
#include "platform/data/dbidatabase.h"

namespace vex {

enum DBIQryLang { qrylangQBE = 1, qrylangSQL = 2 };

// Statement properties: whether QBE may make auxiliary tables, and whether blank numbers count
// as zero in QBE conditions.
inline constexpr uint32_t stmtAUXTBLS = 393254;
inline constexpr uint32_t stmtBLANKS = 393251;

// A parameter of a translated statement: text, or a number.
struct TSqlValue {
    bool IsText = false;
    std::string Text;
    double Number = 0;
};

// One statement of either language: allocated, given its properties, prepared, executed once
// or more, freed. SQL is one statement (text after it other than blanks and comments is an
// error). QBE is the subset TranslateQbe describes.
class TDbiStatement {
public:
    TDbiStatement(std::shared_ptr<TDbiDatabase> Database, DBIQryLang Language);

    DBIResult SetProp(uint32_t Property, int32_t Value);
    // Checks and, for QBE, translates; the engine's code of a failure, with Error() saying why.
    DBIResult Prepare(const std::string& Text);
    // A statement that answers gives a read-only cursor on its private answer table; others
    // give none.
    DBIResult Execute(std::unique_ptr<TDbiCursor>& Cursor);
    const std::string& Error() const { return FError; }
    const std::string& Sql() const { return FSql; }

private:
    std::shared_ptr<TDbiDatabase> FDatabase;
    DBIQryLang FLanguage;
    bool FAuxiliaryTables = true, FBlanksAsZero = false, FPrepared = false;
    std::string FSql, FError;
    std::vector<TSqlValue> FParams;
};

// The QBE this engine runs, on one table:
//     Query                                   (optional, as is a closing EndQuery line)
//     ANSWER: <name>                          (optional; the answer's name is the caller's)
//     customer.db | CustNo | Name  | City   |
//                 | Check  | Check | Oslo   |
//                 |        | Check | >= "M" |
// The header names the table and its fields; each row below it is one alternative (rows are
// joined by OR), its cells joined by AND. A cell holds Check (the field is in the answer) and
// at most one condition: a value (equal to it), =, <, >, <=, >=, <> or like followed by a value,
// or blank (the field is empty). Values are numbers or text, quoted or not. The answer is
// distinct and sorted by the checked fields. Anything else is refused with
// DBIERR_QRYNOTSUPPORTED and the reason.
DBIResult TranslateQbe(const std::string& Text, bool BlanksAsZero, std::string& Sql,
                       std::vector<TSqlValue>& Params, std::string& Error);

// Runs one SELECT with its parameters into a private table of the connection and opens a
// read-only cursor on it; the table goes with the cursor, which knows the tables read.
std::unique_ptr<TDbiCursor> OpenAnswer(std::shared_ptr<TDbiDatabase> Database,
                                       const std::string& Sql,
                                       const std::vector<TSqlValue>& Params = {});

}  // namespace vex
