#pragma once

#include <string>

namespace vex {

// A dialog titled ACaption that asks for one line of text: APrompt above a field holding Value,
// with OK and Cancel below. InputQuery runs it modally and, on OK, puts the text into Value and
// answers true; on Cancel (or Escape, or a run that ends otherwise) Value stays as it was.
// The field is named "Edit", the prompt "Prompt".
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value);
// InputQuery's text on OK, ADefault otherwise.
std::string InputBox(const std::string& ACaption, const std::string& APrompt,
                     const std::string& ADefault);

}  // namespace vex
