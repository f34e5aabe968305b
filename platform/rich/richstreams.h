#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vex {

class TRichEditEngine;
class TRichObjectKinds;
class TStream;

// The bytes from Stream's position to its end. A stream that fails, or holds more than a
// document can take, raises EReadError ("Failed to Load Stream").
std::string ReadRestOf(TStream& Stream);

// Whole-document loads replace the text, forget the undo steps and leave the document
// unmodified; loads into the selection replace it as one step that can be undone (plain text
// then takes the format typing would).
// LoadRtf raises ERtfError for input that is not RTF; Warnings, when given, gets what the reader
// tolerated. Embedded objects are made only through ObjectKinds, when given (TRtfReader's
// SetObjectKinds).
void LoadRtf(TRichEditEngine& Engine, std::string_view Rtf, bool IntoSelection,
             std::vector<std::string>* Warnings = nullptr,
             const TRichObjectKinds* ObjectKinds = nullptr);
void LoadPlainText(TRichEditEngine& Engine, std::string_view Text, bool IntoSelection);
// RTF when the bytes begin as RTF, plain text otherwise.
void LoadRtfOrPlainText(TRichEditEngine& Engine, std::string_view Bytes);

// The text of an RTF document, paragraph ends as CR LF; input that is not RTF is returned as
// it stands.
std::string RtfToPlainText(std::string_view Rtf);

}  // namespace vex
