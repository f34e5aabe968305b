#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// Small extractors for words and parameters of header values and server replies. All of them
// take any text and stay within it.

// S trimmed, then every leading and every trailing double quote removed.
std::string Unquote(const std::string& S);

// Skips Skip blank-separated words of S; Result is the rest, or with FirstOnly only its first
// word, trimmed. Empty when S has fewer than Skip + 1 words.
void GetWord(const std::string& S, int32_t Skip, bool FirstOnly, std::string& Result);

// The word GetWord finds, as a decimal number; -1 when it is not one.
int32_t GetIntWord(const std::string& S, int32_t Skip);

// The value of the parameter Param (a MIME "boundary" or "charset") in Text, its name matched
// without regard to case, blanks at its edges dropped; empty when it is absent. A quoted value
// runs to the closing quote, or to the end of Text when there is none; a backslash before a
// quote or a backslash stands for that character.
void GetParameter(const std::string& Param, const std::string& Text, std::string& Value);

// The file name a parameter (Param "name" or "filename") gives, as RFC 2231 and RFC 2047 write
// it: the extended form ("Param*=charset'language'%XX...", or sections "Param*0", "Param*1"...,
// each with or without its own "*") is preferred over a plain value, whose encoded words are
// decoded. Sections are joined exactly; blanks at the edges of the whole name are dropped. The
// bytes are kept as they are: the charset is not converted.
std::string FileNameParameter(const std::string& Param, const std::string& Text);

// Text for one header line: every run of line breaks, with the blanks that fold the line after
// it, becomes one blank (nothing at either end of the text), so that it cannot start a line.
std::string WithoutLineBreaks(std::string_view S);

// A name, of a person or a file, as it may stand in a header or be shown: line breaks as in
// WithoutLineBreaks, a tab as a blank, and every other control character dropped, so that no
// name can end its line or hide what it says.
std::string CleanName(std::string_view S);

// The text before the first blank or ";", trimmed: a content type without its parameters.
// At most 255 characters.
std::string FirstToken(const std::string& S);

// The MIME type of the file's extension; "application/octet-stream" when it has none or the
// type is unknown.
void GetMimeType(const std::string& FileName, std::string& MimeType);

}  // namespace vex
