#include "net/linestream.h"

#include <cstring>

namespace vex {

bool TLineStream::ReadLine(std::string& S) {
    const int64_t size = Size();
    const int64_t start = Position();
    if (start >= size) {
        S.clear();
        FAtEnd = true;
        return false;
    }
    const char* data = Memory();
    int64_t end = start;
    while (end < size && data[end] != '\r' && data[end] != '\n')
        ++end;
    S.assign(data + start, static_cast<size_t>(end - start));
    int64_t next = end;
    if (next < size)
        next += (data[next] == '\r' && next + 1 < size && data[next + 1] == '\n') ? 2 : 1;
    SetPosition(next);
    return true;
}

void TLineStream::Reset() {
    FAtEnd = false;
    SetPosition(0);
}

}  // namespace vex
