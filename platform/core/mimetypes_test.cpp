#include "platform/core/mimetypes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(MimeTypeTable, ReadsTypesAndExtensionsFromAMimeTypesFile) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("mime.types"),
                         "# a comment line: text/x-comment cmt\n"
                         "application/x-first\tabc def   # trailing comment ghi\r\n"
                         "\n"
                         "application/x-second abc JKL\n"
                         "application/x-no-extension\n"
                         "not-a-type xyz\n"
                         "text/x-last last");
    const TMimeTypeTable table(dir.File("mime.types"));
    EXPECT_TRUE(table.FromFile());
    EXPECT_EQ(table.Lookup(".abc"), "application/x-first");  // the first registration wins
    EXPECT_EQ(table.Lookup(".DEF"), "application/x-first");
    EXPECT_EQ(table.Lookup(".jkl"), "application/x-second");
    EXPECT_EQ(table.Lookup(".last"), "text/x-last");
    EXPECT_EQ(table.Lookup(".ghi"), "");
    EXPECT_EQ(table.Lookup(".cmt"), "");
    EXPECT_EQ(table.Lookup(".xyz"), "");
    EXPECT_EQ(table.Lookup(".txt"), "");  // the built-in table is not mixed in
    EXPECT_EQ(table.Lookup("abc"), "");   // the dot is part of what is looked up
    EXPECT_EQ(table.Lookup("."), "");
}

TEST(MimeTypeTable, FallsBackToTheBuiltInTableWhenTheFileCannotBeRead) {
    test::TempDir dir;
    for (const std::string& path : {dir.File("missing"), dir.Path()}) {
        SCOPED_TRACE(path);
        const TMimeTypeTable table(path);
        EXPECT_FALSE(table.FromFile());
        EXPECT_EQ(table.Lookup(".TXT"), "text/plain");
        EXPECT_EQ(table.Lookup(".html"), "text/html");
        EXPECT_EQ(table.Lookup(".eml"), "message/rfc822");
        EXPECT_EQ(table.Lookup(".pdf"), "application/pdf");
        EXPECT_EQ(table.Lookup(".nothing"), "");
    }
}

TEST(MimeTypeTable, IgnoresAnOversizedFileAndOverlongEntries) {
    test::TempDir dir;
    test::WriteWholeFile(dir.File("huge"), "text/x-huge huge\n" + std::string(5 << 20, '#'));
    const TMimeTypeTable huge(dir.File("huge"));
    EXPECT_FALSE(huge.FromFile());
    EXPECT_EQ(huge.Lookup(".huge"), "");

    const std::string longType = "text/" + std::string(300, 'x');
    test::WriteWholeFile(dir.File("long"),
                         longType + " long\ntext/ok ok " + std::string(100, 'e') + "\n");
    const TMimeTypeTable table(dir.File("long"));
    EXPECT_EQ(table.Lookup(".long"), "");
    EXPECT_EQ(table.Lookup(".ok"), "text/ok");
    EXPECT_EQ(table.Lookup("." + std::string(100, 'e')), "");
}

}  // namespace
}  // namespace vex
