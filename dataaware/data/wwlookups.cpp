#include "dataaware/data/wwlookups.h"

#include <algorithm>
#include <optional>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwextensions.h"
#include "dataaware/data/wwfieldlists.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

// A key search takes at most this many master fields.
constexpr size_t MaxLinkPairs = 6;

// A LookupFields line (field; database; table; result field; index [; index fields...; flag])
// with its LookupLinks line.
struct TLookupDefinition {
    std::vector<std::string> Parts;
    std::string Links;

    const std::string& FieldName() const { return Parts[0]; }
    const std::string& Database() const { return Parts[1]; }
    const std::string& ResultField() const { return Parts[3]; }
    // The table as it is opened: a line of six or more parts ending in "N" names it without
    // its extension.
    std::string TableName() const {
        const bool bare = Parts.size() >= 6 && Parts.back() == "N";
        const std::string& table = Parts[2];
        // The file's name ends at its first dot; a folder's dots are its own.
        const size_t name = table.rfind('/') == std::string::npos ? 0 : table.rfind('/') + 1;
        const size_t dot = table.find('.', name + 1);
        return bare && dot != std::string::npos ? table.substr(0, dot) : table;
    }
};

std::optional<TLookupDefinition> ReadDefinition(const TStrings& LookupFields,
                                                const TStrings* LookupLinks, int32_t Line) {
    TLookupDefinition d{wwLineParts(LookupFields[Line], ';'), ""};
    if (d.Parts.size() < 5) return std::nullopt;
    if (LookupLinks && Line < LookupLinks->Count()) d.Links = (*LookupLinks)[Line];
    return d;
}

std::optional<TLookupDefinition> DefinitionOf(const TField& Field) {
    const TStrings* lines = wwGetLookupFields(Field.DataSet());
    if (!lines) return std::nullopt;
    for (int32_t i = 0; i < lines->Count(); ++i) {
        auto d = ReadDefinition(*lines, wwGetLookupLinks(Field.DataSet()), i);
        if (d && d->FieldName() == Field.FieldName()) return d;
    }
    return std::nullopt;
}

TwwTable* FindTable(const std::vector<std::unique_ptr<TwwTable>>& Tables,
                    const TLookupDefinition& D) {
    for (const auto& t : Tables)
        if (t->DatabaseName() == D.Database() && t->TableName() == D.TableName() &&
            SameText(t->LookupLinksLine, D.Links))
            return t.get();
    return nullptr;
}

TwwTable& OpenTable(const TLookupDefinition& D, std::vector<std::unique_ptr<TwwTable>>& Tables) {
    auto table = std::make_unique<TwwTable>(nullptr);
    table->SetDatabaseName(D.Database());
    table->SetTableName(D.TableName());
    if (D.Parts.size() == 5) {
        table->SetIndexName(D.Parts[4]);
    } else {
        // The parts between the index name and the flag name the index's fields.
        std::string fields, index;
        for (size_t p = 5; p + 1 < D.Parts.size(); ++p)
            fields += (fields.empty() ? "" : ";") + D.Parts[p];
        table->wwFindIndexForFields(fields, index);
        table->SetIndexName(index);
    }
    table->Open();
    table->LookupLinksLine = D.Links;
    Tables.push_back(std::move(table));
    return *Tables.back();
}

// Links alternate a master field and a lookup-table field; Keys are the master fields' texts.
bool Search(TwwTable& Table, const std::vector<std::string>& Links,
            const std::vector<std::string>& Keys) {
    if (Table.IndexFieldCount() > 0) return Table.wwFindKey(Keys);
    return Links.size() > 1 && Table.wwLookupLocate(Keys[0], Links[1], false, false);
}

}  // namespace

void wwGetLookupDefinition(TField& Field, std::string& Database, std::string& Table,
                           std::string& Links, std::string& ResultField) {
    if (const auto d = DefinitionOf(Field)) {
        Database = d->Database();
        Table = d->Parts[2];
        Links = d->Links;
        ResultField = d->ResultField();
        return;
    }
    Database = wwGetDatabaseName(Field.DataSet());
    Table.clear();
    Links.clear();
    ResultField.clear();
}

bool wwFindLookupValue(TField& Field, std::string& Value, TField*& ResultField) {
    ResultField = &Field;
    const auto* tables = wwGetLookupTables(Field.DataSet());
    const auto d = DefinitionOf(Field);
    if (!tables || !d) return false;
    TwwTable* table = FindTable(*tables, *d);
    if (!table) return false;
    ResultField = table->FieldByName(d->ResultField());
    const TField* master = Field.DataSet()->FindField(wwLineParts(d->Links, ';')[0]);
    if (!master) return false;
    Value = master->Text();
    return table->wwFindKey({Value});
}

void wwRefreshLookups(TDataSet& DataSet, const TStrings& LookupFields, const TStrings& LookupLinks,
                      std::vector<std::unique_ptr<TwwTable>>& Tables,
                      std::vector<std::string>& Unopenable) {
    for (const auto& t : Tables)
        t->LookupPositioned = false;
    for (int32_t i = 0; i < LookupFields.Count(); ++i) {
        const auto d = ReadDefinition(LookupFields, &LookupLinks, i);
        if (!d) continue;
        TwwTable* table = FindTable(Tables, *d);
        // A table that cannot be opened leaves its fields as they are; trying again on every
        // record would open it for each one.
        const std::string key = LookupFields[i] + '\n' + d->Links;
        if (!table && std::find(Unopenable.begin(), Unopenable.end(), key) != Unopenable.end())
            continue;
        try {
            if (!table)
                table = &OpenTable(*d, Tables);
            else if (!table->Active())
                table->Open();
        } catch (const Exception&) {
            if (!table) Unopenable.push_back(key);
            continue;
        }
        const std::vector<std::string> links = wwLineParts(d->Links, ';');
        std::vector<std::string> keys;
        for (size_t m = 0; m < links.size() && keys.size() < MaxLinkPairs; m += 2) {
            const TField* master = DataSet.FindField(links[m]);
            if (!master) {
                if (TField* field = DataSet.FindField(d->FieldName())) field->SetVisible(false);
                return;
            }
            keys.push_back(master->Text());
        }
        if (!table->LookupPositioned) {
            table->Searching = true;
            try {
                table->LookupFound = Search(*table, links, keys);
            } catch (...) {
                table->Searching = false;
                throw;
            }
            table->Searching = false;
        }
        if (TField* field = DataSet.FindField(d->FieldName())) {
            std::string text =
                table->LookupFound ? table->FieldByName(d->ResultField())->Text() : "";
            // What the field shows of a longer result, as it would of a typed one.
            if (field->DataType() == ftString && field->Size() > 0)
                text.resize(std::min<size_t>(text.size(), field->Size()));
            field->SetText(text);
        }
        table->LookupPositioned = true;
    }
}

}  // namespace vex
