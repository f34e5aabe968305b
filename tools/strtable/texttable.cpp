#include "tools/strtable/texttable.h"

#include <climits>
#include <map>

#include "platform/core/codepage.h"
#include "tools/rescomp/numberedtext.h"
#include "tools/rescomp/resourceerror.h"

namespace vex::strtable {

using rescomp::ResourceError;

namespace {

void AppendUtf16(std::u16string& Text, char32_t Char) {
    if (Char < 0x10000) {
        Text += static_cast<char16_t>(Char);
        return;
    }
    const char32_t rest = Char - 0x10000;
    Text += static_cast<char16_t>(0xD800 + (rest >> 10));
    Text += static_cast<char16_t>(0xDC00 + (rest & 0x3FF));
}

}  // namespace

std::vector<TextEntry> ParseTextTable(std::string_view Text, const std::string& FileName) {
    std::vector<TextEntry> entries;
    std::map<int32_t, int> lineOfId;
    for (const rescomp::NumberedText& parsed :
         rescomp::ParseNumberedTexts(Text, FileName, INT32_MIN, INT32_MAX)) {
        const auto id = static_cast<int32_t>(parsed.Id);
        const auto [previous, fresh] = lineOfId.emplace(id, parsed.Line);
        if (!fresh) {
            throw ResourceError(FileName, parsed.Line,
                                "string number " + std::to_string(id) +
                                    " is already defined on line " +
                                    std::to_string(previous->second));
        }
        std::u16string text;
        for (char32_t c : parsed.Text) {
            // A raw byte is a character of the libraries' own code page.
            if (c >= rescomp::RawByte)
                c = Win1252ToUnicode(static_cast<unsigned char>(c - rescomp::RawByte));
            AppendUtf16(text, c);
        }
        entries.push_back({id, std::move(text), parsed.Line});
    }
    return entries;
}

}  // namespace vex::strtable
