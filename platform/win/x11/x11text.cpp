#include "platform/win/x11/x11text.h"

#include "platform/core/codepage.h"

namespace vex {

namespace {

// The length of the well-formed UTF-8 sequence at the start of Text and its character, or 0
// for a byte that starts none: no overlong forms, surrogates or values above U+10FFFF.
size_t DecodeUtf8(std::string_view Text, char32_t& Ch) {
    const auto byte = [&](size_t I) { return static_cast<unsigned char>(Text[I]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        Ch = lead;
        return 1;
    }
    size_t length = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, Ch = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, Ch = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, Ch = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (Text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        Ch = (Ch << 6) | (byte(i) & 0x3F);
    }
    if (Ch < min || Ch > 0x10FFFF || (Ch >= 0xD800 && Ch <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string Win1252ToUtf8(std::string_view Text) {
    std::string utf8;
    utf8.reserve(Text.size());
    for (char c : Text) {
        const char32_t u = Win1252ToUnicode(static_cast<unsigned char>(c));
        if (u < 0x80) {
            utf8 += static_cast<char>(u);
        } else if (u < 0x800) {
            utf8 += static_cast<char>(0xC0 | (u >> 6));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        } else {  // the code page reaches no further than U+2122
            utf8 += static_cast<char>(0xE0 | (u >> 12));
            utf8 += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return utf8;
}

std::string Win1252ToLatin1(std::string_view Text) {
    std::string latin1(Text);
    for (char& c : latin1)
        if (Win1252ToUnicode(static_cast<unsigned char>(c)) > 0xFF) c = '?';
    return latin1;
}

std::string Utf8ToWin1252(std::string_view Text, size_t MaxLength) {
    std::string text;
    while (!Text.empty() && text.size() < MaxLength) {
        char32_t ch = 0;
        const size_t length = DecodeUtf8(Text, ch);
        if (length == 0) {
            text += '?';
            Text.remove_prefix(1);
            continue;
        }
        if (ch == 0) break;
        text += UnicodeToWin1252(ch);
        Text.remove_prefix(length);
    }
    return text;
}

std::string Latin1ToWin1252(std::string_view Text, size_t MaxLength) {
    std::string text;
    for (size_t i = 0; i < Text.size() && text.size() < MaxLength && Text[i] != '\0'; ++i)
        text += UnicodeToWin1252(static_cast<unsigned char>(Text[i]));
    return text;
}

}  // namespace vex
