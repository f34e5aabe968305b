#include "platform/core/stream.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/core/exceptions.h"
#include "tests/support/errortext.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

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
}

TEST(MemoryStream, WildSeeksFailCleanlyInsteadOfWrapping) {
    TMemoryStream m;
    m.Seek(INT64_MAX, soFromBeginning);
    m.Seek(INT64_MAX, soFromCurrent);
    EXPECT_EQ(m.Position(), INT64_MAX);
    EXPECT_THROW(m.WriteBuffer("x", 1), EOutOfMemory);
    EXPECT_EQ(m.Size(), 0);
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

TEST(FileStream, CreatesWritesSeeksAndReadsBack) {
    TempDir dir;
    {
        TFileStream f(dir.File("f.txt"), fmCreate);
        f.WriteBuffer("0123456789", 10);
        f.SetSize(4);
        EXPECT_EQ(f.Position(), 4);
        EXPECT_EQ(f.Size(), 4);
    }
    TFileStream f(dir.File("f.txt"), fmOpenRead | fmShareDenyNone);
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 8), 4);
    EXPECT_EQ(std::string(buf), "0123");
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    EXPECT_THROW(f.Seek(-1, soFromBeginning), EStreamError);
}

TEST(FileStream, OpenAndCreateFailuresNameTheFile) {
    TempDir dir;
    const std::string missing = dir.File("missing.txt");
    EXPECT_TRUE(test::ErrorText<EFOpenError>([&] {
                    TFileStream(missing, fmOpenRead);
                }).starts_with("Cannot open file " + missing + ". "));
    const std::string inMissingFolder = dir.File("no/such.txt");
    EXPECT_TRUE(test::ErrorText<EFCreateError>([&] {
                    TFileStream(inMissingFolder, fmCreate);
                }).starts_with("Cannot create file " + inMissingFolder));
    EXPECT_THROW(TFileStream(dir.File("x"), fmOpenReadWrite | 3), EFOpenError);
    TFileStream folder(dir.Path(), fmOpenRead);  // reading a folder raises instead of looking empty
    char buf[4];
    EXPECT_THROW(folder.Read(buf, 4), EReadError);
}

}  // namespace
}  // namespace vex
