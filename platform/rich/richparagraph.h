#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// An embedded object stands in the text as one character, so that positions, words and finds
// see it as a blank between the text around it.
constexpr char RichObjectChar = ' ';

// Characters of one character format; an object run is always one character long and never
// merges with a neighbour.
struct TRichRun {
    int32_t Length = 0;
    int32_t Format = 0;   // number in the document's character-format pool
    uint32_t Object = 0;  // 0 for text, else the number of the object in the document's table
    bool operator==(const TRichRun&) const = default;
};

// A paragraph's text without its end, the runs that cover the text exactly (adjacent runs of
// one format merged, none empty), and the paragraph format that its end carries.
struct TRichParagraph {
    std::string Text;
    std::vector<TRichRun> Runs;
    int32_t Format = 0;  // number in the document's paragraph-format pool

    int32_t Length() const { return static_cast<int32_t>(Text.size()); }
    // The characters [From, To) with their runs and this paragraph's format.
    TRichParagraph Slice(int32_t From, int32_t To) const;
    // Appends text of one character format, merging with the last run where it can.
    void Append(std::string_view Chars, int32_t CharFormat);
    void AppendObject(int32_t CharFormat, uint32_t Object);
    // Appends another paragraph's characters and runs (not its format).
    void Append(const TRichParagraph& Other);
    // Inserts Chars at Offset into the run of CharFormat that holds or ends at it, and
    // answers false (changing nothing) when no such run is there: the quick path of typing.
    bool GrowRun(int32_t Offset, std::string_view Chars, int32_t CharFormat);
    // The character format at Offset; at the end, that of the last character (or Fallback).
    int32_t FormatAt(int32_t Offset, int32_t Fallback) const;
    bool operator==(const TRichParagraph&) const = default;
};

// A piece of a document: every paragraph but the last ends in a paragraph end that counts as
// one character; the last is open, and its format is not part of the piece.
struct TRichFragment {
    std::vector<TRichParagraph> Paragraphs{1};

    int64_t Length() const;
    // Appends Other so that its first paragraph continues the open last one here.
    void Append(const TRichFragment& Other);
    // Closes the open paragraph with the given paragraph format and opens a new one.
    void EndParagraph(int32_t ParaFormat);
};

}  // namespace vex
