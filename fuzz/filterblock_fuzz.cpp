// Filter blocks from anywhere: checking one either refuses it with the engine's error or gives a
// program that judges any record, blank or filled, without reading outside it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/data/data_testsupport.h"
#include "platform/data/dbierrors.h"
#include "platform/data/filterblock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    static const std::vector<FLDDesc> fields = test::SampleFields();
    // The exact size the block states, so that a read past it shows.
    const std::vector<uint8_t> block(Data, Data + Size);
    try {
        const TFilterProgram program(block.data(), block.size(), fields);
        const uint32_t size = fields.back().iOffset + fields.back().iLen;
        std::vector<uint8_t> blank(size, 1), zero(size, 0), ones(size, 0xFF);
        for (const FLDDesc& f : fields)
            ones[f.iNullOffset] = 0;
        program.Matches(blank.data());
        program.Matches(zero.data());
        program.Matches(ones.data());
    } catch (const EDBEngineError& e) {
        if (e.ErrorCode() != DBIERR_INVALIDFILTER) __builtin_trap();
    }
    return 0;
}
