#pragma once

// A data-aware combo box on a shown form in the fixed test font (rows 12 pixels high), with a
// person's input injected as the display's would be; bound, on a table of a fixture database.

#include <optional>
#include <string>
#include <vector>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwdataaware.h"
#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbcombolist.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/fields.h"
#include "platform/ui/lists_testsupport.h"
#include "platform/win/windowpos.h"
#include "tests/support/tempdir.h"

namespace vex::test {

inline const std::vector<std::string> kFruit = {"Apple", "Banana", "Cherry", "Mango", "Melon"};

struct TComboScene : TListScene {
    explicit TComboScene(const std::vector<std::string>& Items, TComboBoxStyle Style = csDropDown,
                         TRect Bounds = Rect(10, 10, 130, 30)) {
        Combo = Add<TwwDBComboBox>(Form, Bounds);
        for (const std::string& item : Items)
            Combo->Items().Add(item);
        Combo->SetStyle(Style);
        Combo->SetReadOnly(false);
        Combo->SetFocus();
        Application().ProcessMessages();
    }

    TwwPopupListbox& List() { return *Combo->PopupList(); }
    bool ListShows() {
        return Combo->PopupList() != nullptr && IsWindowVisible(Combo->PopupList()->Handle());
    }
    // Clicks the list's row, as a person picks an item.
    void ClickRow(int32_t Row) { ClickAt(List(), Point(20, Row * RowHeight + RowHeight / 2)); }

    TwwDBComboBox* Combo;
};

// The combo bound to a field of the first record of colours (testdata/combotables.sql).
struct TBoundComboScene {
    TBoundComboScene(const std::vector<std::string>& Items, const std::string& Field,
                     TComboBoxStyle Style = csDropDown) {
        CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/combotables.sql");
        Table.SetDatabaseName(Folder.Path());
        Table.SetTableName("colours");
        Table.Open();
        Source.SetDataSet(&Table);
        Scene.emplace(Items, Style);
        Scene->Combo->SetDataSource(&Source);
        Scene->Combo->SetDataField(Field);
        Table.FieldByName(Field)->OnChange = [this](TField*) { ++Writes; };
        Application().ProcessMessages();
    }
    ~TBoundComboScene() { Scene.reset(); }

    TwwDBComboBox& Combo() { return *Scene->Combo; }
    std::string Stored(const std::string& Field) { return Table.FieldByName(Field)->AsString(); }

    TempDir Folder;
    TwwTable Table{nullptr};
    TwwDataSource Source{nullptr};
    std::optional<TComboScene> Scene;
    int Writes = 0;
};

}  // namespace vex::test
