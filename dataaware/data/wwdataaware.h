#pragma once

#include <string>

#include "platform/data/datalinks.h"

namespace vex {

// A data source the library's controls and grid recognise as their own; it adds nothing.
class TwwDataSource : public TDataSource {
    VEX_CLASS(TwwDataSource, TDataSource)

public:
    using TDataSource::TDataSource;
};

// A control bound to one field of a dataset. The library reads and writes a control's binding
// through this, never through properties looked up by name.
class IDataAwareControl {
public:
    virtual ~IDataAwareControl() = default;
    virtual TDataSource* DataSource() const = 0;
    virtual void SetDataSource(TDataSource* Value) = 0;
    virtual std::string DataField() const = 0;
    virtual void SetDataField(const std::string& Value) = 0;
};

}  // namespace vex
