#include "dataaware/richedit/wwrichdata.h"

#include <cstdint>
#include <limits>

#include "platform/rich/littleendian32.h"

namespace vex {

namespace {

constexpr size_t LengthSize = 4;

}  // namespace

std::string wwEncodeRichData(std::string_view Document) {
    if (Document.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw EWriteError("The rich text is too long to store");
    std::string block;
    block.reserve(LengthSize + Document.size());
    AppendNumber32(block, static_cast<uint32_t>(Document.size()));
    block.append(Document);
    return block;
}

std::string wwDecodeRichData(std::string_view Block) {
    if (Block.size() < LengthSize)
        throw EwwRichDataError("The stored rich text ends inside its length");
    const auto length = static_cast<int32_t>(Number32At(Block, 0));
    if (length <= 0) return {};
    const size_t remaining = Block.size() - LengthSize;
    if (static_cast<size_t>(length) != remaining)
        throw EwwRichDataError("The stored rich text says " + std::to_string(length) +
                               " bytes but " + std::to_string(remaining) + " follow");
    return std::string(Block.substr(LengthSize));
}

}  // namespace vex
