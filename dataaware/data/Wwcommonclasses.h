#pragma once

#include <string>

namespace vex {

class TObject;

// Whether Object's class or an ancestor is named ClassName (case ignored); false for nil. Lets
// the library recognise classes of libraries it does not link with by name.
bool wwIsClassNamed(const TObject* Object, const std::string& ClassName);

}  // namespace vex
