#include "platform/core/filer.h"

#include <array>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "platform/core/stringutils.h"

namespace vex {

namespace {

template <class T>
void WriteLittleEndian(TStream& Stream, T Value) {
    const auto u = static_cast<uint32_t>(Value);
    std::array<uint8_t, sizeof(T)> bytes{};
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<uint8_t>(u >> (8 * i));
    Stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

template <class T>
T ReadLittleEndian(TStream& Stream) {
    std::array<uint8_t, sizeof(T)> bytes{};
    Stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    uint32_t u = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        u |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return static_cast<T>(u);
}

}  // namespace

// TWriter

void TWriter::DefineProperty(const std::string& Name, const TReaderProc& /*ReadData*/,
                             const TWriterProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(*this);
}

void TWriter::WriteProperties(TPersistent& Instance) {
    Instance.DefineProperties(*this);
    WriteListEnd();
}

void TWriter::WriteListBegin() {
    WriteValue(vaList);
}

void TWriter::WriteListEnd() {
    WriteValue(vaNull);
}

void TWriter::WriteInteger(int32_t Value) {
    if (Value >= INT8_MIN && Value <= INT8_MAX) {
        WriteValue(vaInt8);
        WriteLittleEndian(FStream, static_cast<int8_t>(Value));
    } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
        WriteValue(vaInt16);
        WriteLittleEndian(FStream, static_cast<int16_t>(Value));
    } else {
        WriteValue(vaInt32);
        WriteLittleEndian(FStream, Value);
    }
}

void TWriter::WriteString(const std::string& Value) {
    if (Value.size() <= UINT8_MAX) {
        WriteValue(vaString);
        WriteLittleEndian(FStream, static_cast<uint8_t>(Value.size()));
    } else {
        if (Value.size() > static_cast<size_t>(INT32_MAX))
            throw EWriteError("String too long to be stored");
        WriteValue(vaLString);
        WriteLittleEndian(FStream, static_cast<int32_t>(Value.size()));
    }
    FStream.WriteBuffer(Value.data(), static_cast<int32_t>(Value.size()));
}

void TWriter::WriteBinary(const std::string& Data) {
    if (Data.size() > static_cast<size_t>(INT32_MAX))
        throw EWriteError("Binary value too long to be stored");
    WriteValue(vaBinary);
    WriteLittleEndian(FStream, static_cast<int32_t>(Data.size()));
    FStream.WriteBuffer(Data.data(), static_cast<int32_t>(Data.size()));
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? vaTrue : vaFalse);
}

void TWriter::WriteValue(TValueType Value) {
    WriteLittleEndian(FStream, static_cast<uint8_t>(Value));
}

// A property name has no type byte: a length byte and the name.
void TWriter::WritePropName(const std::string& Name) {
    if (Name.empty() || Name.size() > UINT8_MAX)
        throw EWriteError("Invalid property name '" + Name + "'");
    WriteLittleEndian(FStream, static_cast<uint8_t>(Name.size()));
    FStream.WriteBuffer(Name.data(), static_cast<int32_t>(Name.size()));
}

// TReader

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData,
                             const TWriterProc& /*WriteData*/, bool /*HasData*/) {
    if (FPropFound || !ReadData || !SameText(Name, FPropName)) return;
    FPropFound = true;
    ReadData(*this);
}

void TReader::ReadProperties(TPersistent& Instance) {
    EnterNesting();
    while (!EndOfList()) {
        std::string name;
        ReadBytes(name, ReadLittleEndian<uint8_t>(FStream));
        FPropName = name;
        FPropFound = false;
        Instance.DefineProperties(*this);
        if (!FPropFound)
            throw EReadError("Error reading " + Instance.ClassName() + "." + name +
                             ": Property does not exist");
    }
    ReadListEnd();
}

TValueType TReader::NextValue() {
    const TValueType result = ReadValue();
    FStream.Seek(-1, soFromCurrent);
    return result;
}

void TReader::ReadListBegin() {
    CheckValue(vaList);
    EnterNesting();
}

void TReader::ReadListEnd() {
    CheckValue(vaNull);
    if (FNesting > 0) --FNesting;
}

int32_t TReader::ReadInteger() {
    switch (ReadValue()) {
        case vaInt8:
            return ReadLittleEndian<int8_t>(FStream);
        case vaInt16:
            return ReadLittleEndian<int16_t>(FStream);
        case vaInt32:
            return ReadLittleEndian<int32_t>(FStream);
        default:
            InvalidValue();
    }
}

std::string TReader::ReadString() {
    int64_t length = 0;
    switch (ReadValue()) {
        case vaString:
            length = ReadLittleEndian<uint8_t>(FStream);
            break;
        case vaLString:
            length = ReadLittleEndian<int32_t>(FStream);
            break;
        default:
            InvalidValue();
    }
    std::string result;
    ReadBytes(result, length);
    return result;
}

std::string TReader::ReadBinary() {
    CheckValue(vaBinary);
    std::string result;
    ReadBytes(result, ReadLittleEndian<int32_t>(FStream));
    return result;
}

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
        case vaTrue:
            return true;
        case vaFalse:
            return false;
        default:
            InvalidValue();
    }
}

TValueType TReader::ReadValue() {
    const auto value = ReadLittleEndian<uint8_t>(FStream);
    if (value > vaUTF8String) InvalidValue();
    return static_cast<TValueType>(value);
}

void TReader::CheckValue(TValueType Expected) {
    if (ReadValue() != Expected) InvalidValue();
}

void TReader::InvalidValue() const {
    throw EReadError("Invalid property value");
}

void TReader::EnterNesting() {
    if (FNesting >= MaxNesting) throw EReadError("Stream nesting too deep");
    ++FNesting;
}

// The length is checked against what is left before anything is allocated.
void TReader::ReadBytes(std::string& Buffer, int64_t Count) {
    if (Count < 0 || Count > FStream.Size() - FStream.Position())
        throw EReadError("Stream read error");
    Buffer.resize(static_cast<size_t>(Count));
    FStream.ReadBuffer(Buffer.data(), static_cast<int32_t>(Count));
}

}  // namespace vex
