// The data-aware edits over one record of a small table: a phone number under its picture mask,
// a note behind an ellipsis button, a fruit stored by its code and shown by its name, and the
// moment the record was made, in a picker that drops a calendar down.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "dataaware/data/Wwtable.h"
#include "dataaware/data/wwdataaware.h"
#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wwdotdot.h"
#include "examples/gallery/groups.h"
#include "platform/data/dbiengine.h"

namespace gallery {

using namespace vex;

namespace {

// The table lives in a folder of its own that goes when the program ends.
class TScratchFolder {
public:
    TScratchFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "gallery-XXXXXX").string();
        if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("no scratch folder");
        FPath = name;
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

const std::string& TableFolder() {
    static const TScratchFolder folder;
    static const bool made = [] {
        TDbiEngine::Default()
            .OpenDatabase(folder.Path())
            ->Execute(
                "CREATE TABLE contacts (Phone VARCHAR(13), Notes MEMO, Fruit VARCHAR(4), "
                "Stamp TIMESTAMP);"
                "INSERT INTO contacts VALUES ('(555)123-4567', 'Call after lunch', 'MG', "
                "'2024-07-01 18:00:00');");
        return true;
    }();
    (void)made;
    return folder.Path();
}

template <class T>
T* AddBound(TFramedPanel* Box, int Top, TDataSource* Source, const char* Field,
            const char* Caption) {
    AddLabel(Box, Rect(8, Top + 4, 70, Top + 20), Caption);
    auto* control = Add<T>(Box, Rect(74, Top, 284, Top + 22));
    control->SetDataSource(Source);
    control->SetDataField(Field);
    return control;
}

}  // namespace

int DataAwareEdits(TForm* Form, int Left, int Top) {
    TFramedPanel* box = AddGroup(Form, Left, Top, 124, "Data-aware edits");
    auto* table = new TwwTable(Form);
    table->SetDatabaseName(TableFolder());
    table->SetTableName("contacts");
    table->PictureMasks().Add("Phone\t(###)###-####\tT\tF");
    auto* source = new TwwDataSource(Form);
    source->SetDataSet(table);

    AddBound<TwwDBEdit>(box, 8, source, "Phone", "Phone:");
    auto* notes = AddBound<TwwDBCustomCombo>(box, 36, source, "Notes", "Notes:");
    notes->SetButtonStyle(cbsEllipsis);
    notes->OnButtonClick = [notes](TObject*) { notes->SetText("Called back"); };
    auto* fruit = AddBound<TwwDBComboBox>(box, 64, source, "Fruit", "Fruit:");
    fruit->SetMapList(true);
    for (const char* item : {"Apple\tAP", "Banana\tBA", "Mango\tMG", "Papaya\tPA"})
        fruit->Items().Add(item);
    auto* stamp = AddBound<TwwDBDateTimePicker>(box, 92, source, "Stamp", "Made:");
    stamp->SetDisplayFormat("dddd, mmmm d, yyyy hh:nn");
    table->Open();
    return box->BoundsRect().Bottom;
}

}  // namespace gallery
