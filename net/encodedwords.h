#pragma once

#include <string>
#include <string_view>

namespace vex {

// Header values with encoded words ("=?charset?B?...?=" or "=?charset?Q?...?="). The decoded
// bytes go into the result as they are: no character set is converted.

// A character set's name as it is kept with a text: in lower case, without the language RFC 2231
// lets follow a "*"; empty when it could not stand in an encoded word, whose rules for a name
// are stricter than a parameter's.
std::string KeptCharSetName(std::string_view CharSet);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view S);

// Some byte is above 127: the text is no ASCII, and cannot travel as 7bit.
bool HoldsEightBit(std::string_view S);

// The set to name for 8-bit text whose set nobody named: UTF-8 when it is valid UTF-8, which text
// in another set seldom is by chance, else LatinCharSet.
std::string_view UnnamedCharSet(std::string_view EightBitText, std::string_view LatinCharSet);

// The ISO-2022 set whose designations 7-bit Text with escapes holds: Korean and Chinese have
// escapes of their own, and any other is taken for the Japanese set, by far the most common in
// mail. The name is in lower case, as names read from words are kept, so that a text saved and
// read back is written under the same name again.
std::string_view Iso2022SetOf(std::string_view Text);

// Bytes that cannot be in the set named: 8-bit bytes are no US-ASCII, and UTF-8 has rules that
// text in other sets seldom keeps by chance.
bool ContradictsCharSet(std::string_view CharSet, std::string_view Bytes);

// S cut to at most Max bytes. A cut that would split a character of text that is UTF-8 up to it
// goes before that character instead, so the text stays UTF-8 and keeps that label.
std::string_view CutText(std::string_view S, size_t Max);

// The character set that the encoded words of a decoded text named, gathered word by word. A
// word whose bytes read the same in every set built on ASCII names nothing; the others must all
// name one set, or no one set fits the whole text. A name that could not stand in an encoded
// word we write, or that the word's bytes contradict, is not kept, and so leaves the text
// without a set.
class TWordCharSets {
public:
    void Add(std::string_view CharSet, std::string_view Bytes);
    // The one set named, in lower case and without a language; empty when none or several were.
    std::string CharSet() const { return FSeveral ? std::string() : FCharSet; }

private:
    std::string FCharSet;
    bool FSeveral = false;
};

// The character set recorded for a text, kept with the text it describes: it holds only while
// the text is the same, so a text set afresh never carries the set of the one it replaced.
class TTextCharSet {
public:
    // The name is kept in lower case; one that could not stand in an encoded word is not kept.
    void Assign(std::string_view Text, std::string_view CharSet);
    // The set recorded for Text; empty when none was, or when it was for another text.
    std::string_view Of(std::string_view Text) const;

private:
    std::string FText;
    std::string FCharSet;
};

// The decoded value, cut at 255 characters (before a UTF-8 character the cut would split, see
// CutText). White space between two adjacent encoded words is dropped, white space anywhere else
// is kept, and "_" stands for a blank only inside Q-encoded text. Where two adjacent words of a
// stateful set (ISO-2022, HZ, UTF-7) meet, the closing of a state at the end of one and its
// opening again at the start of the next, which a writer puts there to cut the text, stand for
// nothing and are dropped, so the text reads as it was before it was cut; the set's names are
// compared without case and without an RFC 2231 language ("iso-2022-jp*ja"). Anything that is
// not a well-formed encoded word (no closing "?=", an encoding other than B or Q, base64 with a
// foreign character) stays as it stands. The text is read once from left to right, so decoded
// text is never decoded again.
void DecodeEncodedWords(std::string_view Source, std::string& Dest);
// The same; CharSets gathers the sets of the words decoded.
void DecodeEncodedWords(std::string_view Source, std::string& Dest, TWordCharSets& CharSets);

// Text in CharSet travels only in encoded words: it holds a byte outside printable ASCII, or text
// that would read as an encoded word, or its set spells other characters with ASCII (UTF-7, HZ).
bool NeedsEncodedWords(std::string_view Text, std::string_view CharSet);

// A text in ISO-2022-JP (it starts with the escape that shifts into JIS) wrapped as one
// base64 encoded word; any other text comes back unchanged.
void EncodeISO2022JPText(std::string_view Source, std::string& Dest);

// Text in CharSet as it may stand in a header: control characters dropped and tabs made blanks
// (an escape and the shifts stay in text of a set whose bytes mean what they say, ISO-2022,
// UTF-7 or HZ), then as encoded words labelled CharSet where it needs them (NeedsEncodedWords).
// Returns whether Dest is encoded words, which are at most 75 characters long and separated by
// single blanks (which readers drop between adjacent encoded words). Text of a stateful set is
// B words that each read on their own: each opens the state its text needs and closes the one it
// leaves, and a UTF-7 run is cut only between whole UTF-16 code units (CutUtf7Run); any other is
// Q words cut only between characters, as the set spells them: one byte each in the sets known
// to take one, whole UTF-8 sequences, the lead and trail bytes of the known Asian sets; in a set
// we do not know, beside bytes below 0x30, which no such set uses inside a character, and where
// a word fills without one, between bytes. Only letters, digits and "!*+-/" stand as they are,
// so the words may stand in a display name as well as in a subject.
bool EncodeHeaderText(std::string_view Source, std::string_view CharSet, std::string& Dest);

// Text in CharSet, cleaned as EncodeHeaderText cleans it, as the encoded words EncodeHeaderText
// writes, whether it needs them or not: words cut text that has no blank to fold a line at.
std::string HeaderWords(std::string_view Text, std::string_view CharSet);

// Text whose set nobody named, cleaned as EncodeHeaderText cleans it and as encoded words where
// it needs them; returns whether Dest is encoded words. A stretch of 7-bit text from an escape on
// is ISO-2022 (JP, KR or CN, as its escapes designate) and keeps its escapes and shifts. Text
// with a byte above 127 is UTF-8 when it is valid UTF-8, else LatinCharSet. ASCII text that
// would read as an encoded word is US-ASCII words.
bool EncodeUnnamedHeaderText(std::string_view Source, std::string_view LatinCharSet,
                             std::string& Dest);

}  // namespace vex
