#pragma once

#include <string>
#include <vector>

#include "platform/shell/urlopener.h"

namespace vex {

// An opener for tests: it refuses what the desktop's refuses, and records what it would have
// opened. A test can make it fail as a desktop without a browser does.
class TRecordingUrlOpener : public TUrlOpener {
public:
    void Open(const std::string& Url) override {
        CheckOpenableUrl(Url);
        if (!Failure.empty()) throw EUrlOpenError(Failure);
        Opened.push_back(Url);
    }

    std::vector<std::string> Opened;
    // Not empty: every allowed address fails with this message.
    std::string Failure;
};

}  // namespace vex
