// A key command table's text file, which a user may have edited by hand: loading it either adds
// one table under a name of its own or raises ECmdProcessorError and adds nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "components/entry/OvcCmd.h"
#include "components/entry/OvcErrors.h"
#include "tests/support/tempdir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    static const test::TempDir folder;
    const std::string file = folder.File("table.txt");
    test::WriteWholeFile(file, std::string(reinterpret_cast<const char*>(Data), Size));
    TOvcCommandProcessor processor;
    const int32_t before = processor.Count();
    try {
        const int32_t index = processor.LoadCommandTable(file);
        const std::string& name = processor.TableList()[index]->TableName();
        if (processor.GetCommandTable(name) != processor.TableList()[index].get()) __builtin_trap();
    } catch (const ECmdProcessorError&) {
        if (processor.Count() != before) __builtin_trap();
    }
    return 0;
}
