#include "components/entry/OvcParasMemory.h"

#include <cstdint>
#include <new>

namespace vex {

namespace {

// The text model lives on the user-interface thread; a shortage applies to the thread that
// made it.
thread_local size_t ShortFrom = SIZE_MAX;

}  // namespace

void ParaMemoryRequest(size_t Bytes) {
    if (Bytes >= ShortFrom) throw std::bad_alloc();
}

TParaMemoryShortage::TParaMemoryShortage(size_t Bytes) : FPrevious(ShortFrom) {
    ShortFrom = Bytes;
}

TParaMemoryShortage::~TParaMemoryShortage() {
    ShortFrom = FPrevious;
}

}  // namespace vex
