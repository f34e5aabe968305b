#pragma once

#include <string>

namespace vex {

class TDBDataSet;
class TDbiCursor;

// The folder of a database alias; empty for an alias the engine does not know.
void wwGetAliasPath(const std::string& Alias, std::string& Path);

// Writes the answer that Answer reads into the table AnswerName names, replacing what was there,
// in one transaction, and leaves Answer before its first record. The name is a table name, a
// path (relative ones below the dataset's folder), or ":alias:name". An empty name writes
// nothing. A table that a cursor has open, or that the answer was read from, is not replaced.
// A failure is told in a message box and answers false; the dataset keeps its answer.
bool wwSetAnswerTable(TDBDataSet& DataSet, TDbiCursor& Answer, const std::string& AnswerName);

}  // namespace vex
