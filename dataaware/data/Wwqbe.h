#pragma once

#include <memory>
#include <string>

#include "dataaware/data/Wwcommon.h"
#include "platform/data/dbtables.h"

namespace vex {

// A dataset whose records are the answer of a query-by-example text, with the shared
// extensions (it does not validate records on post).
class TwwQBE : public TwwDataSetExtensions<TDBDataSet> {
    VEX_CLASS(TwwQBE, TDBDataSet)

public:
    explicit TwwQBE(TComponent* AOwner);

    TStrings& QBE() { return FQBE; }
    // An open dataset runs the new text at once.
    void SetQBE(const TStrings& Value);
    const std::string& AnswerTable() const { return FAnswerTable; }
    void SetAnswerTable(const std::string& Value) { FAnswerTable = Value; }
    bool AuxiliaryTables = true;
    bool BlankAsZero = true;
    // ~Name in the text stands for Value; a ~name without a value becomes a blank.
    void SetTildeVariable(const std::string& Name, const std::string& Value);
    bool NoAnswer() const { return FNoAnswer; }
    bool CanModify() const override { return false; }

    // Builds the statement from the text and runs it.
    virtual DBIResult ExecQBE(std::unique_ptr<TDbiCursor>& Cursor);

protected:
    void OpenCursor(bool InfoQuery) override;
    std::unique_ptr<TDbiCursor> CreateHandle() override;
    std::string FilterRefusedText() const override {
        return "Local Filtering is not supported on this QBE.";
    }

private:
    std::string SubstitutedText() const;
    std::unique_ptr<TDbiCursor> RunQuery();

    TStringList FQBE, FTildeNames, FTildeValues;
    std::string FAnswerTable, FLastError;
    bool FInOpen = false, FNoAnswer = false;
    std::unique_ptr<TDbiCursor> FMadeCursor;
};

}  // namespace vex
