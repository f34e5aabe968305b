#include "tools/rescomp/resourceerror.h"

namespace vex::rescomp {

namespace {

std::string Located(const std::string& File, int Line, const std::string& Message) {
    if (Line <= 0) return File + ": " + Message;
    return File + ":" + std::to_string(Line) + ": " + Message;
}

}  // namespace

ResourceError::ResourceError(const std::string& File, int Line, const std::string& Message)
    : std::runtime_error(Located(File, Line, Message)),
      FFile(File),
      FLine(Line),
      FMessage(Message) {}

}  // namespace vex::rescomp
