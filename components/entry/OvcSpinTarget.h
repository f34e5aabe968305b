#pragma once

#include <cstdint>

namespace vex {

// What a spinner asks of the control it steps. The entry fields answer by their own rules: the
// numeric field changes its value within its range (wrapping or not), and a field moves its
// caret for ccLeft and ccRight. A spinner whose focused control offers none of this only fires
// its OnClick.
class TOvcSpinTarget {
public:
    virtual void IncreaseValue(bool Wrap, double Delta) = 0;
    virtual void DecreaseValue(bool Wrap, double Delta) = 0;
    // Selects the characters Start <= index < End; (0, 0) leaves nothing selected.
    virtual void SetSelection(uint16_t Start, uint16_t End) = 0;
    // Carries out one editing command (OvcCmd.h) as the key mapped to it would.
    virtual void PerformSpinCommand(uint16_t Command) = 0;

protected:
    ~TOvcSpinTarget() = default;
};

}  // namespace vex
