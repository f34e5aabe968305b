// Key command tables as a processor streams them, read back from stored settings that may be
// damaged: reading either gives tables or raises EReadError, and the tables read stream out and
// back in with the same names, states and key records.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "components/entry/OvcCmd.h"
#include "platform/core/exceptions.h"
#include "platform/core/filer.h"
#include "platform/core/stream.h"

namespace {

using namespace vex;

void ReadTables(TOvcCommandProcessor& Processor, std::string Stored) {
    TStringStream stream(std::move(Stored));
    TReader(stream).ReadProperties(Processor);
}

std::string WriteTables(TOvcCommandProcessor& Processor) {
    TStringStream stream;
    TWriter(stream).WriteProperties(Processor);
    return stream.DataString();
}

// A table named like a built-in one stores only its differences from the built-in rows, and
// rows read back into it take the built-in places: its records are compared as a set.
std::vector<uint64_t> Records(const TOvcCommandTable& Table) {
    std::vector<uint64_t> records;
    for (const TOvcCmdRec& r : Table.CommandList())
        records.push_back(uint64_t{r.Keys()} << 16 | r.Cmd);
    std::sort(records.begin(), records.end());
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TOvcCommandProcessor read;
    try {
        ReadTables(read, std::string(reinterpret_cast<const char*>(Data), Size));
    } catch (const EReadError&) {
        return 0;
    }
    // A processor without tables stores nothing, and reading nothing keeps the built-in tables.
    if (read.Count() == 0) return 0;

    TOvcCommandProcessor reread;
    ReadTables(reread, WriteTables(read));
    if (reread.Count() != read.Count()) __builtin_trap();
    for (int32_t i = 0; i < read.Count(); ++i) {
        const TOvcCommandTable& a = *read.TableList()[i];
        const TOvcCommandTable& b = *reread.TableList()[i];
        if (a.TableName() != b.TableName() || a.IsActive() != b.IsActive() ||
            Records(a) != Records(b))
            __builtin_trap();
    }
    return 0;
}
