// Quoted-printable escapes from strangers: the decoder that takes sixteen bytes at a time and the
// one that takes a byte at a time, each into a buffer of its own or over its input, give what a
// plain reading of the escapes gives, and neither reads nor writes past the input's size.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "net/quotedprintableescapes.h"

namespace {

int HexValue(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
}

std::string PlainlyDecoded(std::string_view Text) {
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        const bool escape = Text[i] == '=' && i + 2 < Text.size() && HexValue(Text[i + 1]) >= 0 &&
                            HexValue(Text[i + 2]) >= 0;
        out += escape ? static_cast<char>(HexValue(Text[i + 1]) << 4 | HexValue(Text[i + 2]))
                      : Text[i];
        i += escape ? 2 : 0;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    const std::string_view text(reinterpret_cast<const char*>(Data), Size);
    const std::string expected = PlainlyDecoded(text);
    for (const auto decode : {&DecodeQuotedEscapes, &DecodeQuotedEscapesOneByOne}) {
        const auto apart = std::make_unique<char[]>(Size);
        if (std::string_view(apart.get(), decode(text, apart.get()) - apart.get()) != expected)
            __builtin_trap();
        const auto over = std::make_unique<char[]>(Size);
        std::copy(text.begin(), text.end(), over.get());
        const std::string_view input(over.get(), Size);
        if (std::string_view(over.get(), decode(input, over.get()) - over.get()) != expected)
            __builtin_trap();
    }
    return 0;
}
