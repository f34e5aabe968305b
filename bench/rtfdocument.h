#pragma once

// The RTF document the rich-text benchmarks read, lay out, print and type into.

#include <cstddef>
#include <random>
#include <string>

namespace vex::bench {

// A document of about Bytes bytes in the form converters write: paragraphs in groups, runs of
// bold, italic and other fonts, escaped accents, Unicode with fallbacks, a field now and then.
inline std::string MakeRtf(size_t Bytes) {
    static const char* words[] = {"filter", "mailbox", "server", "message",  "header",   "rule",
                                  "spam",   "delete",  "list",   "sender",   "subject",  "the",
                                  "a",      "of",      "and",    "caf\\'e9", "na\\'efve"};
    std::mt19937 random(42);
    auto pick = [&](int N) { return std::uniform_int_distribution<int>(0, N - 1)(random); };
    std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Helvetica;}{\\f1\\fmodern Courier;}}"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n";
    while (rtf.size() < Bytes) {
        rtf += "{\\pard \\ql \\f0 \\sa180 \\li0 \\fi0 ";
        for (int w = 0; w < 60; ++w) {
            switch (pick(20)) {
                case 0:
                    rtf += "{\\b " + std::string(words[pick(17)]) + "} ";
                    break;
                case 1:
                    rtf += "{\\i\\cf1 " + std::string(words[pick(17)]) + "} ";
                    break;
                case 2:
                    rtf += "{\\f1 code} ";
                    break;
                case 3:
                    rtf += "\\u8220\"quoted\\u8221\" ";
                    break;
                case 4:
                    rtf +=
                        "{\\field{\\*\\fldinst{HYPERLINK \"http://x/\"}}{\\fldrslt{\\ul link}}} ";
                    break;
                default:
                    rtf += std::string(words[pick(17)]) + " ";
            }
        }
        rtf += "\\par}\n";
    }
    return rtf + "}";
}

}  // namespace vex::bench
