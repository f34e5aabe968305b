#pragma once

#include <string>
#include <vector>

#include "dataaware/data/Wwcommon.h"
#include "platform/data/dbtables.h"

namespace vex {

// The library's table: the shared extensions, a filter text compiled for the engine (wwFilter),
// and a query text (SQL, or QBE when its first word is "query") that can stand in for the
// table name.
class TwwTable : public TwwDataSetExtensions<TTable> {
    VEX_CLASS(TwwTable, TTable)

public:
    explicit TwwTable(TComponent* AOwner);

    TStrings& wwFilter() { return FwwFilter; }
    void SetwwFilter(const TStrings& Value);
    TStrings& Query() { return FQuery; }
    void SetQuery(const TStrings& Value);
    void SetTableName(const std::string& Value);
    bool SyncSQLByRange = false;
    bool NarrowSearch = false;
    char NarrowSearchUpperChar = '\xFF';

    // The lines of wwFilter as one text: the first as it stands, each further one appended as
    // " AND (" + line + ")".
    std::string CombinedFilterText() const;
    bool IsParadoxTable() const;
    // The picture of the field's validity check in a Paradox table; empty when none. The checks
    // are read once, on first use.
    std::string wwGetParadoxPicture(const std::string& FieldName);
    // Key search for the lookup machinery: false without index fields, and with a message when
    // more values are given than the index has fields. A detail table with SyncSQLByRange
    // searches by narrowing its range: from the values on, or to them alone while Searching.
    bool wwFindKey(const std::vector<std::string>& KeyValues);
    // wwLocateValue on this table.
    bool wwLookupLocate(const std::string& Value, const std::string& FieldName, bool CaseSensitive,
                        bool Partial);
    // The index whose fields are, or begin with, Fields (";"-separated): case-insensitive ones
    // first, exact lists before prefixes. IndexName is left as it is when none fits.
    void wwFindIndexForFields(const std::string& Fields, std::string& IndexName);
    const std::string& QueryLanguage() const { return FLanguage; }
    hDBIFilter FilterHandle() const { return FFilterHandle; }

    bool IsSequenced() const override;

    // What the lookup refresh keeps on a table it opened: the LookupLinks line it serves,
    // whether this refresh has positioned it and found a record, and whether it is searching.
    std::string LookupLinksLine;
    bool LookupPositioned = false, LookupFound = false, Searching = false;

protected:
    std::unique_ptr<TDbiCursor> CreateHandle() override;
    void PrepareCursor() override;
    void OpenCursor(bool InfoQuery) override;
    void CloseCursor() override;
    bool InstallsFilterAfterOpen() const override { return false; }
    bool ChecksOpenBeforeInstalling() const override { return false; }
    std::string FilterRefusedText() const override { return ""; }

private:
    bool CurrentRecordMatches(const std::vector<std::string>& KeyValues) const;
    bool HasActiveMasterLink() const;
    bool FindInRange(const std::vector<std::string>& KeyValues);

    TStringList FwwFilter, FQuery, FParadoxPictures;
    bool FPicturesToRead = true;
    std::string FLanguage;
    hDBIFilter FFilterHandle = 0;
    bool FParadox = false;
    int32_t FBusy = 0;
};

// Whether DataSet is a library table run from a query text.
bool wwHasTableQuery(TDataSet* DataSet);

}  // namespace vex
