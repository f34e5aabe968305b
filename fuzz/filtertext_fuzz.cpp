// Filter texts as a user types them: compiling one gives a block, nothing, or a conversion or
// range error, and every block compiled is one the engine can check without harm.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dataaware/data/wwfilter.h"
#include "platform/data/data_testsupport.h"
#include "platform/data/dbtables.h"
#include "platform/data/filterblock.h"
#include "platform/win/messagebox.h"
#include "tests/support/tempdir.h"

namespace {

vex::TTable& Table() {
    static vex::test::TempDir folder;
    static vex::TTable table(nullptr);
    if (!table.Active()) {
        vex::TDbiEngine::Default()
            .OpenDatabase(folder.Path())
            ->Execute(
                "CREATE TABLE t (Name VARCHAR(20), \"First Name\" VARCHAR(20), A INTEGER, "
                "Amount FLOAT, Price NUMERIC(10,2), Active BOOLEAN, Day DATE, Moment TIME, "
                "Stamp TIMESTAMP, Small SMALLINT, Notes MEMO)");
        table.SetDatabaseName(folder.Path());
        table.SetTableName("t");
        table.Open();
    }
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    static const TMessageBoxOverride quiet(
        [](HWND, const std::string&, const std::string&, UINT) { return IDOK; });
    TTable& table = Table();
    std::optional<std::vector<uint8_t>> block;
    try {
        block = CompileFilterText(std::string(reinterpret_cast<const char*>(Data), Size), table);
    } catch (const EConvertError&) {
        return 0;
    } catch (const ERangeError&) {
        return 0;
    }
    if (!block) return 0;
    try {
        const TFilterProgram program(block->data(), block->size(), table.Handle()->Fields());
        std::vector<uint8_t> record(table.Handle()->RecordSize(), 1);
        program.Matches(record.data());
    } catch (const EDBEngineError& e) {
        if (e.ErrorCode() != DBIERR_INVALIDFILTER) __builtin_trap();
    }
    return 0;
}
