#pragma once

// A data-aware date/time picker on a shown form with the built-in fixed font, unbound or bound
// to the table "moments" of a fresh database, with input injected as a person's.

#include <string>

#include "dataaware/data/wwdataaware.h"
#include "dataaware/edits/wwcalendar_testsupport.h"
#include "dataaware/edits/wwdbdatetimepicker.h"
#include "platform/data/dbidatabase.h"
#include "platform/data/dbiengine.h"
#include "platform/data/dbtables.h"
#include "platform/data/fields.h"
#include "platform/ui/lists_testsupport.h"
#include "tests/support/tempdir.h"

namespace vex::test {

struct TPickerScene : TListScene {
    explicit TPickerScene(TRect Bounds = Rect(10, 10, 150, 30)) {
        Picker = Add<TwwDBDateTimePicker>(Form, Bounds);
    }
    TwwDBDateTimePicker* Picker;
};

// A date, a time and a date-time column; a first record with every value, a second with none.
class TMomentsTable {
public:
    TMomentsTable() {
        TDbiEngine::Default()
            .OpenDatabase(FFolder.Path())
            ->Execute(
                "CREATE TABLE moments (Day DATE, Moment TIME, Stamp TIMESTAMP);"
                "INSERT INTO moments VALUES ('2001-02-03', '10:00:00', '2001-02-03 10:00:00');"
                "INSERT INTO moments VALUES (NULL, NULL, NULL);");
        Table.SetDatabaseName(FFolder.Path());
        Table.SetTableName("moments");
        Source.SetDataSet(&Table);
    }

    // What the database holds now in a column of the first record, read afresh; "null" for
    // none.
    std::string Stored(const std::string& Column) {
        TTable reader(nullptr);
        reader.SetDatabaseName(FFolder.Path());
        reader.SetTableName("moments");
        reader.Open();
        const TField* field = reader.FieldByName(Column);
        return field->IsNull() ? "null" : FormatDateTime("yyyy-mm-dd hh:nn", field->AsDateTime());
    }

private:
    TempDir FFolder;

public:
    TTable Table{nullptr};
    TwwDataSource Source{nullptr};
};

// The scene goes before the table it shows.
struct TBoundPicker {
    explicit TBoundPicker(const std::string& Column, const std::string& DisplayFormat = "") {
        Picker->SetDataSource(&Data.Source);
        Picker->SetDataField(Column);
        Data.Table.Open();
        if (!DisplayFormat.empty()) Data.Table.FieldByName(Column)->SetDisplayFormat(DisplayFormat);
        Picker->DataLink()->Reset();
    }
    TMomentsTable Data;
    TPickerScene Scene;
    TwwDBDateTimePicker* Picker = Scene.Picker;
};

}  // namespace vex::test
