// A picture mask and a text, as a form resource and a user may supply them: the first byte's
// lowest bit turns auto-fill on, the mask runs to the first null byte and the text follows.
// Matching ends on every input, answers one of the five public results, reports a malformed
// mask exactly when construction did, and changes the text only as the mask allows: converted
// in place, and lengthened only by auto-fill.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dataaware/data/Wwpict.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    using namespace vex;
    if (Size == 0) return 0;
    const bool autoFill = (Data[0] & 1) != 0;
    const std::string_view input(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const size_t split = input.find('\0');
    const std::string mask(input.substr(0, split));
    const std::string original(split == std::string_view::npos ? std::string_view()
                                                               : input.substr(split + 1));

    TwwPictureValidator validator(mask, autoFill);
    std::string text = original;
    const TwwPictureResult r = validator.MatchPicture(text, autoFill);
    if (r > picSyntax) __builtin_trap();
    if ((r == picSyntax) != (validator.Status == vsSyntax)) __builtin_trap();
    if (r == picSyntax && text != original) __builtin_trap();
    if (text.size() < original.size()) __builtin_trap();
    if (!autoFill) {
        if (text.size() != original.size()) __builtin_trap();
        if (validator.CheckText(original) != (r == picComplete || r == picEmpty)) __builtin_trap();
        if (wwPassesPicture(mask, original) != (original.empty() || r == picComplete))
            __builtin_trap();
    }
    return 0;
}
