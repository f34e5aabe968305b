#include "platform/core/filer.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

// Bytes of a stream, built value by value.
std::string Bytes(std::initializer_list<int> Values) {
    std::string result;
    for (int v : Values)
        result += static_cast<char>(v);
    return result;
}

TEST(Writer, StoresIntegersAndStringsInTheSmallestFormThatHoldsThem) {
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/stored_integers.txt")) {
        SCOPED_TRACE(where);
        TStringStream stream;
        TWriter(stream).WriteInteger(std::stoi(row[0]));
        EXPECT_EQ(stream.DataString(), row[1]);
        stream.SetPosition(0);
        EXPECT_EQ(TReader(stream).ReadInteger(), std::stoi(row[0]));
    }
    // Short strings take a length byte, long ones four bytes.
    TStringStream stream;
    TWriter writer(stream);
    writer.WriteString("ab");
    writer.WriteString(std::string(255, 'x'));
    writer.WriteString(std::string(256, 'y'));
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    const std::string& data = stream.DataString();
    EXPECT_EQ(data.substr(0, 4), Bytes({vaString, 2, 'a', 'b'}));
    EXPECT_EQ(data.substr(4, 2), Bytes({vaString, 255}));
    EXPECT_EQ(data.substr(261, 5), Bytes({vaLString, 0x00, 0x01, 0x00, 0x00}));
    EXPECT_EQ(data.substr(data.size() - 2), Bytes({vaTrue, vaFalse}));

    stream.SetPosition(0);
    TReader reader(stream);
    EXPECT_EQ(reader.ReadString(), "ab");
    EXPECT_EQ(reader.ReadString(), std::string(255, 'x'));
    EXPECT_EQ(reader.ReadString(), std::string(256, 'y'));
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
}

// Two streamed properties, one of them written only when it has data.
class TSample : public TPersistent {
    VEX_CLASS(TSample, TPersistent)

public:
    std::string Title;
    std::vector<int32_t> Numbers;

protected:
    void DefineProperties(TFiler& Filer) override {
        Filer.DefineProperty(
            "Title", [this](TReader& r) { Title = r.ReadString(); },
            [this](TWriter& w) { w.WriteString(Title); }, true);
        Filer.DefineProperty(
            "Numbers",
            [this](TReader& r) {
                Numbers.clear();
                r.ReadListBegin();
                while (!r.EndOfList())
                    Numbers.push_back(r.ReadInteger());
                r.ReadListEnd();
            },
            [this](TWriter& w) {
                w.WriteListBegin();
                for (int32_t n : Numbers)
                    w.WriteInteger(n);
                w.WriteListEnd();
            },
            !Numbers.empty());
    }
};

TEST(Properties, RoundTripAsNameAndValuePairsAndSkipPropertiesWithoutData) {
    TSample source;
    source.Title = "T";
    source.Numbers = {1, 300, -70000};
    TStringStream stream;
    TWriter(stream).WriteProperties(source);

    stream.SetPosition(0);
    TSample copy;
    TReader(stream).ReadProperties(copy);
    EXPECT_EQ(copy.Title, "T");
    EXPECT_EQ(copy.Numbers, source.Numbers);
    EXPECT_EQ(stream.Position(), stream.Size());

    TSample noNumbers;
    noNumbers.Title = "N";
    TStringStream short_;
    TWriter(short_).WriteProperties(noNumbers);
    EXPECT_EQ(short_.DataString(), Bytes({5, 'T', 'i', 't', 'l', 'e', vaString, 1, 'N', vaNull}));
}

TEST(Properties, HostileStreamsRaiseReadErrors) {
    for (const auto& [row, where] :
         test::ReadCases(VEX_TEST_DIR "/testdata/hostile_properties.txt")) {
        SCOPED_TRACE(where);
        TStringStream stream(row[1]);
        TSample sample;
        EXPECT_THROW(TReader(stream).ReadProperties(sample), EReadError);
    }
}

TEST(Reader, RefusesNestingDeeperThanTheLimit) {
    // Depth list starts, then as many list ends.
    const auto nested = [](int Depth) {
        return std::string(Depth, char{vaList}) + std::string(Depth, char{vaNull});
    };
    // Reads lists inside lists as deep as they go.
    const auto readAll = [](const std::string& Data) {
        TStringStream stream(Data);
        TReader reader(stream);
        int depth = 0;
        do {
            reader.ReadListBegin();
            ++depth;
        } while (reader.NextValue() == vaList);
        while (depth-- > 0)
            reader.ReadListEnd();
    };
    EXPECT_NO_THROW(readAll(nested(TReader::MaxNesting)));
    EXPECT_THROW(readAll(nested(TReader::MaxNesting + 1)), EReadError);
}

}  // namespace
}  // namespace vex
