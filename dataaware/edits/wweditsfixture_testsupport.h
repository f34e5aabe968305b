#pragma once

// The contacts table that the checks spanning the library's edit controls share: each column a
// kind of value one control edits, the phone number under a picture mask, the shop looked up
// through ShopNo in a second table. Stored() asks the sqlite3 program, so a check sees what the
// file holds and not what the data layer remembers of it.

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwdataaware.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/dbiengine.h"
#include "platform/data/fields.h"
#include "platform/shell/programoutput.h"
#include "platform/win/messagebox.h"
#include "tests/support/tempdir.h"

namespace vex::test {

// The combo box's map list: display text TAB the code the Fruit column stores.
inline const char* const kFruitItems[] = {"Apple\tAP", "Banana\tBA", "Melon\tML", "Mango\tMG",
                                          "Papaya\tPA"};
inline constexpr const char* kPhoneMask = "(###)###-####";

class TEditsFixture {
public:
    // SqlFile makes the tables (testdata/wwedits.sql beside the edit controls).
    explicit TEditsFixture(const std::string& SqlFile) {
        CreateFixture(FFolder.Path(), SqlFile);
        Contacts.SetDatabaseName(FFolder.Path());
        Contacts.SetTableName("contacts");
        Contacts.SetIndexName("ById");
        Contacts.PictureMasks().Add(std::string("Phone\t") + kPhoneMask + "\tT\tF");
        Contacts.LookupFields().Add("Shop;" + FFolder.Path() + ";shops;Shop;ByShopNo");
        Contacts.LookupLinks().Add("ShopNo;ShopNo");
        Source.SetDataSet(&Contacts);
    }
    // The fields close the table before they go.
    ~TEditsFixture() { Contacts.Close(); }
    TEditsFixture(const TEditsFixture&) = delete;
    TEditsFixture& operator=(const TEditsFixture&) = delete;

    std::shared_ptr<TDbiDatabase> Database() {
        return TDbiEngine::Default().OpenDatabase(FFolder.Path());
    }

    // Columns of the contact Id as the sqlite3 program prints them, "|" between them and an
    // empty text for NULL; a failure of the program raises, so a check cannot pass on nothing.
    std::string Stored(const std::string& Columns, int32_t Id) const {
        const std::optional<std::string> out = ProgramOutput(
            {"sqlite3", "-readonly", "-batch", FFolder.File(TDbiEngine::DatabaseFileName),
             "SELECT " + Columns + " FROM contacts WHERE Id = " + std::to_string(Id)},
            std::chrono::seconds(20), 1 << 20);
        if (!out) throw std::runtime_error("sqlite3 did not read the contacts table");
        std::string row = *out;
        while (!row.empty() && row.back() == '\n')
            row.pop_back();
        return row;
    }

    // The members below are made in the order they stand: the folder first and gone last, the
    // fields after the table they belong to.
private:
    TempDir FFolder;

public:
    // The message boxes shown meanwhile (a refused post, a value out of range), answered OK.
    std::vector<std::string> Messages;

private:
    TMessageBoxOverride FBoxes{[this](HWND, const std::string& Text, const std::string&, UINT) {
        Messages.push_back(Text);
        return IDOK;
    }};

public:
    TwwTable Contacts{nullptr};
    TwwDataSource Source{nullptr};

private:
    std::vector<std::unique_ptr<TField>> FFields;

public:
    TField& Id = Add(ftInteger, "Id");
    TField& Phone = Add(ftString, "Phone", fkData, 13);
    TField& Qty = Add(ftInteger, "Qty");
    TField& Fruit = Add(ftString, "Fruit", fkData, 4);
    TField& Born = Add(ftDate, "Born");
    TField& Alarm = Add(ftTime, "Alarm");
    TField& Stamp = Add(ftDateTime, "Stamp");
    TField& Notes = Add(ftMemo, "Notes");
    TField& ShopNo = Add(ftInteger, "ShopNo");
    TField& Shop = Add(ftString, "Shop", fkCalculated, 20);

private:
    TField& Add(TFieldType Type, const std::string& Name, TFieldKind Kind = fkData,
                int32_t Size = 0) {
        TField& field = *FFields.emplace_back(CreateField(nullptr, Type));
        field.SetFieldName(Name);
        field.SetFieldKind(Kind);
        if (Size != 0) field.SetSize(Size);
        field.SetDataSet(&Contacts);
        return field;
    }
};

}  // namespace vex::test
