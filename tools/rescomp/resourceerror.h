#pragma once

#include <stdexcept>
#include <string>

namespace vex::rescomp {

// A fault in a resource input. The text reads "file:line: message" (or "file: message" when no
// line applies), the form editors and build logs already know how to jump to.
class ResourceError : public std::runtime_error {
public:
    ResourceError(const std::string& File, int Line, const std::string& Message);

    const std::string& File() const { return FFile; }
    int Line() const { return FLine; }
    const std::string& Message() const { return FMessage; }

private:
    std::string FFile;
    int FLine;
    std::string FMessage;
};

}  // namespace vex::rescomp
