#pragma once

#include <cstdint>
#include <string>

#include "components/misc/AdvGrid.h"

namespace vex {

// How two cell texts of a sort column compare under Style: 1 when A is greater, 0 when they
// are equal, -1 when A is smaller. Numbers, money and dates are read with the process's format
// settings; of the dates written day, month, year (or month, day, year) a two-digit year below
// 26 is in the 2000s, one from 26 in the 1900s, and a year in full is that year. ssNoCompare orders
// as ssText, since it gives no order of its own; ssByEvent compares as equal here, because only the
// grid's OnCustomCompare can order it.
int32_t CompareCellTexts(TSortStyle Style, const std::string& A, const std::string& B,
                         const std::string& Prefix, const std::string& Suffix);

}  // namespace vex
