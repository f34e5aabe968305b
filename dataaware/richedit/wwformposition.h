#pragma once

#include <cstdint>

#include "platform/core/object.h"

namespace vex {

// Where a window stood when it was last closed, kept with the control that opens it.
class TwwFormPosition : public TPersistent {
    VEX_CLASS(TwwFormPosition, TPersistent)

public:
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    void Assign(const TPersistent* Source) override;

private:
    // The published accessors stand for the fields.
    int32_t GetLeft() const { return Left; }
    void PutLeft(int32_t Value) { Left = Value; }
    int32_t GetTop() const { return Top; }
    void PutTop(int32_t Value) { Top = Value; }
    int32_t GetWidth() const { return Width; }
    void PutWidth(int32_t Value) { Width = Value; }
    int32_t GetHeight() const { return Height; }
    void PutHeight(int32_t Value) { Height = Value; }
    friend struct TwwFormPositionProperties;
};

}  // namespace vex
