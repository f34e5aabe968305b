#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win/messages.h"

namespace vex {

// Data offered in several clipboard formats at once (by format number: CF_TEXT, or a number
// RegisterClipboardFormat gave for "Rich Text Format", "Embedded Object", "Object Descriptor").
class IRichDataObject {
public:
    virtual ~IRichDataObject() = default;
    // The formats offered, the richest first.
    virtual std::vector<UINT> Formats() const = 0;
    // The bytes under Format; none when it is not offered.
    virtual std::optional<std::string> GetData(UINT Format) const = 0;
};

}  // namespace vex
