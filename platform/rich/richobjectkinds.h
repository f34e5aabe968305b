#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rich/richobject.h"

namespace vex {

// A kind of object the program can make: what the insert-object dialog lists, and what data
// from outside may become when its class names it.
struct TRichObjectKind {
    std::string ClassName;
    std::string UserType;
    // Files of these extensions (".box", compared without case) make objects of this kind.
    std::vector<std::string> FileExtensions;
    std::function<std::shared_ptr<IRichObject>()> Create;
};

class TRichObjectKinds {
public:
    // Raises ERichObjectError for a kind without a class name or factory, or of a class
    // registered already.
    void Register(TRichObjectKind Kind);
    // In the order registered.
    const std::vector<TRichObjectKind>& All() const { return FKinds; }
    // Null for a class no kind registered.
    const TRichObjectKind* Find(std::string_view ClassName) const;
    // The kind that opens files named so; null when none does.
    const TRichObjectKind* ForFile(const std::string& FileName) const;
    // A new object of the class. Raises ERichObjectError for a class not registered, and for a
    // factory that makes nothing or an object of another class.
    std::shared_ptr<IRichObject> Create(std::string_view ClassName) const;

private:
    std::vector<TRichObjectKind> FKinds;
};

}  // namespace vex
