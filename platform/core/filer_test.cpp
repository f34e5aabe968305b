#include "platform/core/filer.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/stream.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(Writer, StoresValuesInTheSmallestFormThatHoldsThemAndTheReaderReadsThemBack) {
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/stored_values.txt")) {
        SCOPED_TRACE(where);
        TStringStream stream;
        TWriter writer(stream);
        const bool bytes = row[0] == "S" || row[0] == "X";
        const std::string text(bytes ? std::stoi(row[1]) : 0, 'x');
        if (row[0] == "I") writer.WriteInteger(std::stoi(row[1]));
        if (row[0] == "S") writer.WriteString(text);
        if (row[0] == "X") writer.WriteBinary(text);
        if (row[0] == "B") writer.WriteBoolean(row[1] == "1");
        EXPECT_EQ(stream.DataString(), row[2] + text);
        stream.SetPosition(0);
        TReader reader(stream);
        const std::string back = row[0] == "I"   ? std::to_string(reader.ReadInteger())
                                 : row[0] == "S" ? reader.ReadString()
                                 : row[0] == "X" ? reader.ReadBinary()
                                                 : std::to_string(reader.ReadBoolean());
        EXPECT_EQ(back, bytes ? text : row[1]);
    }
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
    TSample source, copy;
    source.Title = "T";
    source.Numbers = {1, 300, -70000};
    TStringStream stream;
    TWriter(stream).WriteProperties(source);
    stream.SetPosition(0);
    TReader(stream).ReadProperties(copy);
    EXPECT_EQ(copy.Title, "T");
    EXPECT_EQ(copy.Numbers, source.Numbers);
    source.Numbers.clear();
    TStringStream noNumbers;
    TWriter(noNumbers).WriteProperties(source);
    EXPECT_EQ(noNumbers.DataString(), std::string("\x05Title\x06\x01T\x00", 10));
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
    const auto read = [](int Depth) {
        TStringStream stream(std::string(Depth, char{vaList}) + std::string(Depth, char{vaNull}));
        TReader reader(stream);
        for (int i = 0; i < Depth; ++i)
            reader.ReadListBegin();
        for (int i = 0; i < Depth; ++i)
            reader.ReadListEnd();
    };
    EXPECT_NO_THROW(read(TReader::MaxNesting));
    EXPECT_THROW(read(TReader::MaxNesting + 1), EReadError);
}

using test::TempDir;

TEST(MemoryStream, WritesPastTheEndGrowWithZerosAndReadsStopAtTheEnd) {
    TMemoryStream m;
    m.SetPosition(3);
    m.WriteBuffer("ab", 2);
    EXPECT_EQ(m.Size(), 5);
    EXPECT_EQ(std::string(m.Memory(), 5), std::string("\0\0\0ab", 5));

    char buf[8];
    m.SetPosition(4);
    EXPECT_EQ(m.Read(buf, 8), 1);
    EXPECT_EQ(m.Read(buf, 8), 0);
    m.SetSize(2);
    EXPECT_EQ(m.Position(), 2);
    EXPECT_EQ(m.Seek(-1, soFromEnd), 1);
    EXPECT_EQ(test::ErrorText<EReadError>([&] { m.ReadBuffer(buf, 3); }), "Stream read error");
    m.SetPosition(-1);
    EXPECT_EQ(test::ErrorText<EWriteError>([&] { m.WriteBuffer("x", 1); }), "Stream write error");
    // Writing in the middle of a string stream overwrites and keeps the rest.
    TStringStream s("hello world");
    s.SetPosition(6);
    s.WriteString("W");
    EXPECT_EQ(s.DataString(), "hello World");
    s.SetPosition(3);
    EXPECT_EQ(s.ReadString(100), "lo World");
    EXPECT_EQ(s.ReadString(5), "");
    EXPECT_EQ(s.Seek(5, soFromEnd), s.Size());
    EXPECT_EQ(s.Seek(-50, soFromCurrent), 0);
    // Wild seeks fail cleanly instead of wrapping.
    TMemoryStream wild;
    wild.Seek(INT64_MAX, soFromBeginning);
    wild.Seek(INT64_MAX, soFromCurrent);
    EXPECT_EQ(wild.Position(), INT64_MAX);
    EXPECT_THROW(wild.WriteBuffer("x", 1), EOutOfMemory);
    EXPECT_EQ(wild.Size(), 0);
}

TEST(MemoryStream, LoadingKeepsTheOldContentsWhenTheSourceFails) {
    // A source that claims more bytes than it delivers.
    class TShortStream : public TStringStream {
    public:
        using TStringStream::TStringStream;
        int64_t Size() override { return 10; }
    };
    TMemoryStream m;
    m.WriteBuffer("keep", 4);
    TShortStream source("abc");
    EXPECT_THROW(m.LoadFromStream(source), EReadError);
    EXPECT_EQ(std::string(m.Memory(), static_cast<size_t>(m.Size())), "keep");
    TempDir dir;
    m.SaveToFile(dir.File("m.bin"));
    EXPECT_THROW(m.LoadFromFile(dir.File("missing")), EFOpenError);
    TMemoryStream back;
    back.LoadFromFile(dir.File("m.bin"));
    EXPECT_EQ(std::string(back.Memory(), 4), "keep");
}

TEST(CopyFrom, CountZeroCopiesTheWholeSourceFromItsStartThroughTheBuffer) {
    std::string big(200000, 'x');
    for (size_t i = 0; i < big.size(); i += 7)
        big[i] = static_cast<char>(i);
    TStringStream source(big);
    source.SetPosition(500);
    TStringStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), static_cast<int64_t>(big.size()));
    EXPECT_EQ(target.DataString(), big);

    source.SetPosition(10);
    TStringStream part;
    EXPECT_EQ(part.CopyFrom(source, 5), 5);
    EXPECT_EQ(part.DataString(), big.substr(10, 5));
    EXPECT_THROW(part.CopyFrom(source, static_cast<int64_t>(big.size())), EReadError);
}

TEST(FileStream, CreatesWritesSeeksAndReadsBackAndNamesTheFileItCannotOpen) {
    TempDir dir;
    {
        TFileStream f(dir.File("f.txt"), fmCreate);
        f.WriteBuffer("0123456789", 10);
        f.SetSize(4);
        EXPECT_EQ(f.Position(), 4);
    }
    TFileStream f(dir.File("f.txt"), fmOpenRead | fmShareDenyNone);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 8), 4);
    EXPECT_EQ(std::string(buf), "0123");
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    EXPECT_THROW(f.Seek(-1, soFromBeginning), EStreamError);
    const std::string missing = dir.File("missing.txt"), inMissingFolder = dir.File("no/such.txt");
    EXPECT_TRUE(test::ErrorText<EFOpenError>([&] {
                    TFileStream(missing, fmOpenRead);
                }).starts_with("Cannot open file " + missing + ". "));
    EXPECT_TRUE(test::ErrorText<EFCreateError>([&] {
                    TFileStream(inMissingFolder, fmCreate);
                }).starts_with("Cannot create file " + inMissingFolder));
    EXPECT_THROW(TFileStream(dir.File("x"), fmOpenReadWrite | 3), EFOpenError);
    TFileStream folder(dir.Path(), fmOpenRead);  // reading a folder raises instead of looking empty
    EXPECT_THROW(folder.Read(buf, 4), EReadError);
}

}  // namespace
}  // namespace vex
