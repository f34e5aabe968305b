#pragma once

// What the tests of the library's datasets share: a folder with the fixture tables, the
// message boxes shown, and fields made for a dataset.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/stringlist.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/dataset.h"
#include "platform/win/messagebox.h"
#include "tests/support/tempdir.h"

namespace vex::test {

class TFixtureFolder {
public:
    TFixtureFolder() { CreateFixture(Folder.Path(), VEX_TEST_DIR "/testdata/tables.sql"); }
    const std::string& Path() const { return Folder.Path(); }

    std::vector<std::string> Messages;

private:
    TempDir Folder;
    TMessageBoxOverride Boxes{[this](HWND, const std::string& Text, const std::string&, UINT) {
        Messages.push_back(Text);
        return IDOK;
    }};
};

// Persistent fields of a dataset; they close it and leave it when this goes, so declare it
// after the dataset.
class TFieldsOf {
public:
    explicit TFieldsOf(TDataSet& DataSet) : FDataSet(DataSet) {}
    ~TFieldsOf() { FDataSet.Close(); }
    TField& Add(TFieldType Type, const std::string& Name, TFieldKind Kind = fkData,
                int32_t Size = 0) {
        FFields.emplace_back(CreateField(nullptr, Type));
        TField& f = *FFields.back();
        f.SetFieldName(Name);
        f.SetFieldKind(Kind);
        if (Size) f.SetSize(Size);
        f.SetDataSet(&FDataSet);
        return f;
    }

private:
    TDataSet& FDataSet;
    std::vector<std::unique_ptr<TField>> FFields;
};

inline TStringList LinesOf(std::initializer_list<std::string> Texts) {
    TStringList lines;
    for (const std::string& t : Texts)
        lines.Add(t);
    return lines;
}

}  // namespace vex::test
