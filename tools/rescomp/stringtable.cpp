#include "tools/rescomp/stringtable.h"

#include <cstdio>

#include "tools/rescomp/numberedtext.h"
#include "tools/rescomp/resourceerror.h"
#include "tools/rescomp/textencoding.h"

namespace vex::rescomp {

std::vector<StringEntry> ParseStringTable(std::string_view Text, const std::string& FileName) {
    std::vector<StringEntry> entries;
    for (const NumberedText& parsed : ParseNumberedTexts(Text, FileName, 0, 65535)) {
        std::string text;
        for (char32_t c : parsed.Text) {
            if (c >= RawByte) {
                text += static_cast<char>(c - RawByte);
                continue;
            }
            const auto byte = UnicodeTo1252(c);
            if (!byte) {
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
                throw ResourceError(FileName, parsed.Line,
                                    std::string("character ") + code + " has no Windows-1252 form");
            }
            text += static_cast<char>(*byte);
        }
        entries.push_back({static_cast<uint16_t>(parsed.Id), std::move(text), parsed.Line});
    }
    return entries;
}

}  // namespace vex::rescomp
