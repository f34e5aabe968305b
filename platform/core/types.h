#pragma once

#include <cstdint>

namespace vex {

// Days since 30 December 1899; the fraction is the time of day. Dates before that day are
// negative, with the time still counted forward from midnight in the fraction's magnitude.
using TDateTime = double;

// How text sits across the space it is given: in a control, a field's column, a grid's cell.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

}  // namespace vex
