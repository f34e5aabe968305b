#pragma once

#include <cstddef>

namespace vex {

// The text model asks here before each block of memory it can live without: a paragraph's text
// or line starts, the undo buffer. A request that cannot be had throws std::bad_alloc, as the
// allocation itself would, so that callers answer both the same way.
void ParaMemoryRequest(size_t Bytes);

// While it lives, every request of Bytes or more fails: how a test sees the model run short of
// memory without exhausting the machine.
class TParaMemoryShortage {
public:
    explicit TParaMemoryShortage(size_t Bytes);
    ~TParaMemoryShortage();

    TParaMemoryShortage(const TParaMemoryShortage&) = delete;
    TParaMemoryShortage& operator=(const TParaMemoryShortage&) = delete;

private:
    size_t FPrevious;
};

}  // namespace vex
