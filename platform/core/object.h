#pragma once

#include <string>

namespace vex {

class TFiler;
class TReader;
class TWriter;

// What the original's class references carried: the class name and the parent class, so that
// code can ask for a name or walk the chain by name ("does this inherit from TCustomForm?").
struct TClassInfo {
    const char* Name;
    const TClassInfo* Parent;

    bool InheritsFrom(const std::string& ClassName) const;
};

// Declares the class-information members; the first line of every class derived from TObject.
#define VEX_CLASS(Self, Parent)                                                 \
public:                                                                         \
    static const ::vex::TClassInfo& StaticClassInfo() {                         \
        static const ::vex::TClassInfo Info{#Self, &Parent::StaticClassInfo()}; \
        return Info;                                                            \
    }                                                                           \
    const ::vex::TClassInfo& ClassInfo() const override {                       \
        return StaticClassInfo();                                               \
    }

class TObject {
public:
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

    std::string ClassName() const { return ClassInfo().Name; }
    // True when this object's class or one of its ancestors has the name, compared without
    // regard to case as the original's identifiers were.
    bool InheritsFrom(const std::string& ClassName) const {
        return ClassInfo().InheritsFrom(ClassName);
    }
};

// An object whose contents can be copied from another with Assign.
class TPersistent : public TObject {
    VEX_CLASS(TPersistent, TObject)

public:
    // Copies Source into this object. A source this class does not know raises EConvertError
    // ("Cannot assign a TFoo to a TBar"), as does a null source.
    virtual void Assign(const TPersistent* Source);

protected:
    // Declares the properties that are streamed beside the published ones, each with
    // TFiler::DefineProperty; TWriter::WriteProperties and TReader::ReadProperties call it.
    virtual void DefineProperties(TFiler& /*Filer*/) {}

    // Called by Assign when this class does not know Source: gives Source the chance to copy
    // itself into Dest.
    virtual void AssignTo(TPersistent* Dest) const;
    [[noreturn]] void AssignError(const TPersistent* Source) const;

    friend class TReader;
    friend class TWriter;
};

}  // namespace vex
