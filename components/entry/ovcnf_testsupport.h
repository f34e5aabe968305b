#pragma once

// What the numeric field's tests share.

#include "components/entry/OvcNF.h"

namespace vex::test {

// The field with its window's re-creation open to the test.
class TTestField : public TOvcNumericField {
public:
    using TOvcNumericField::RecreateWnd;
    using TOvcNumericField::TOvcNumericField;
};

inline bool HasFocus(const TOvcBaseEntryField& Field) {
    return Field.State().Contains(esHasFocus);
}

}  // namespace vex::test
