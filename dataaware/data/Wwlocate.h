#pragma once

#include <string>

namespace vex {

class TDataSet;
class TField;

enum : int { mtExactMatch = 0, mtPartialMatchStart = 1, mtPartialMatchAny = 2 };

// Makes current the next record (or the first, FromStart) whose field text equals, begins with
// or contains Value; true when one was found, else the dataset stays where it was. Without
// CaseSensitive both sides are upper-cased. A table whose current index starts with the field
// is searched by key where the index's case rule allows it.
bool wwLocateRecord(bool FromStart, TDataSet& DataSet, const std::string& FieldName,
                    const std::string& Value, int MatchType, bool CaseSensitive);

// The comparison of a field's text with the value (already upper-cased by a case-blind caller).
bool wwMatchText(const std::string& FieldText, const std::string& Value, int MatchType,
                 bool CaseSensitive);
// The same on a memo field's text. An RTF value, or any value with RichText, compares as
// its plain text.
bool wwMatchMemo(TField& Field, const std::string& Value, bool RichText, bool CaseSensitive,
                 int MatchType);

// True at once when the current record's field text is Value already (compared without regard
// to case unless CaseSensitive); else the first record from the start whose field text equals,
// or with Partial begins with, Value.
bool wwLocateValue(TDataSet& DataSet, const std::string& Value, const std::string& FieldName,
                   bool CaseSensitive, bool Partial);

// For a table: whether the index named IndexName tells case apart / starts with a field of the
// table. False for any other dataset.
bool wwIndexIsCaseSensitive(TDataSet& DataSet);
bool wwIndexStartsWithField(TDataSet& DataSet);

}  // namespace vex
