#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/object.h"

namespace vex {

class TStream;
class TReader;
class TWriter;

// The framework's binary property format: every value is a type byte followed by its data,
// integers and lengths little-endian.
enum TValueType : uint8_t {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String
};

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;

// What an object's DefineProperties talks to: the writer stores a property that has data, the
// reader hands a stored property to the object that defines its name.
class TFiler : public TObject {
    VEX_CLASS(TFiler, TObject)

public:
    explicit TFiler(TStream& Stream) : FStream(Stream) {}
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    TStream& Stream() const { return FStream; }

    virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                                const TWriterProc& WriteData, bool HasData) = 0;

protected:
    TStream& FStream;
};

class TWriter : public TFiler {
    VEX_CLASS(TWriter, TFiler)

public:
    using TFiler::TFiler;

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;

    // The object's defined properties as name and value pairs, closed by an end of list.
    void WriteProperties(TPersistent& Instance);

    void WriteListBegin();
    void WriteListEnd();
    // In the smallest of vaInt8, vaInt16 and vaInt32 that holds Value.
    void WriteInteger(int32_t Value);
    // vaString up to 255 bytes, vaLString beyond.
    void WriteString(const std::string& Value);
    void WriteBoolean(bool Value);
    // vaBinary: a 32-bit length and the raw bytes.
    void WriteBinary(const std::string& Data);

private:
    void WriteValue(TValueType Value);
    void WritePropName(const std::string& Name);
};

// Reads what TWriter wrote. Every value is checked before it is used: a type byte that is not
// the one expected, a length that runs past the end of the stream, or nesting deeper than
// MaxNesting raises EReadError, so hostile bytes never cost more than their own size.
class TReader : public TFiler {
    VEX_CLASS(TReader, TFiler)

public:
    using TFiler::TFiler;

    static constexpr int32_t MaxNesting = 32;

    void DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;

    // Hands each stored property to Instance's DefineProperties; a name that Instance does not
    // define raises EReadError.
    void ReadProperties(TPersistent& Instance);

    // The type of the next value, without moving past it.
    TValueType NextValue();
    bool EndOfList() { return NextValue() == vaNull; }
    void ReadListBegin();
    void ReadListEnd();
    int32_t ReadInteger();
    std::string ReadString();
    bool ReadBoolean();
    std::string ReadBinary();

private:
    TValueType ReadValue();
    void CheckValue(TValueType Expected);
    [[noreturn]] void InvalidValue() const;
    void EnterNesting();
    void ReadBytes(std::string& Buffer, int64_t Count);

    int32_t FNesting = 0;
    std::string FPropName;
    bool FPropFound = false;
};

}  // namespace vex
