#include "platform/dialup/dialupbackend.h"

namespace vex {

namespace {

TDialupBackend* InstalledBackend = nullptr;

}  // namespace

TDialupBackend* DialupBackend() {
    return InstalledBackend;
}

void SetDialupBackend(TDialupBackend* Backend) {
    InstalledBackend = Backend;
}

}  // namespace vex
