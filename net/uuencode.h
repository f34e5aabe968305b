#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vex {

// Uuencoded blocks, a line at a time: value 0 is the grave accent, values 1 to 63 are the
// characters 33 to 95. The line routines pump the message queue once per call and cut their
// result at MaxLen characters.

// True for the whole form of a begin line: "begin", a blank, an octal file mode of three or four
// digits, a blank and a name. Anything less is ordinary text ("Begin 2024 with our offer!"),
// which must not send the rest of a body to the decoder. Never raises.
bool IsUUBegin(std::string_view Line);

// The file name of a begin line: the text in double quotes when it starts with one, otherwise
// the text up to the first blank.
void UUFileName(std::string_view Line, std::string& Name);
// Name as a begin line writes it, so that UUFileName reads it back: in double quotes when it
// holds a blank or starts with a quote. A double quote cannot stand inside quotes, so a name
// that needs them is written without its own.
std::string UUBeginLineName(std::string_view Name);

// The value of one character; the blank counts as 0 like the grave accent. Anything else
// outside the alphabet raises EMessageParserError "Invalid Character".
uint8_t UUDecodeChar(char C);

// The first character gives the byte count. A line that carries fewer bytes than it announces
// gives the bytes it carries and no invented ones.
void UUDecodeLine(std::string_view Line, std::string& Dest, int32_t MaxLen);

// One line for at most 63 bytes (45 make a full line of 61 characters); more raise ERangeError.
void UUEncodeLine(std::string_view Source, std::string& Dest, int32_t MaxLen);

}  // namespace vex
