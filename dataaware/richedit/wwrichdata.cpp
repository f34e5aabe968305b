#include "dataaware/richedit/wwrichdata.h"

#include <cstdint>
#include <limits>

namespace vex {

namespace {

constexpr size_t LengthSize = 4;

}  // namespace

std::string wwEncodeRichData(std::string_view Document) {
    if (Document.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw EWriteError("The rich text is too long to store");
    const auto length = static_cast<uint32_t>(Document.size());
    std::string block;
    block.reserve(LengthSize + Document.size());
    for (size_t i = 0; i < LengthSize; ++i)
        block.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
    block.append(Document);
    return block;
}

std::string wwDecodeRichData(std::string_view Block) {
    if (Block.size() < LengthSize)
        throw EwwRichDataError("The stored rich text ends inside its length");
    uint32_t bits = 0;
    for (size_t i = 0; i < LengthSize; ++i)
        bits |= uint32_t{static_cast<uint8_t>(Block[i])} << (8 * i);
    const auto length = static_cast<int32_t>(bits);
    if (length <= 0) return {};
    const size_t remaining = Block.size() - LengthSize;
    if (static_cast<size_t>(length) != remaining)
        throw EwwRichDataError("The stored rich text says " + std::to_string(length) +
                               " bytes but " + std::to_string(remaining) + " follow");
    return std::string(Block.substr(LengthSize));
}

}  // namespace vex
