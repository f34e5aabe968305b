#include "platform/core/mimetypes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(MimeTypeTable, ReadsTypesAndExtensionsFromAMimeTypesFile) {
    // Comments, a CR LF line end, a line without extensions and one without a type, no final break.
    const TMimeTypeTable table(VEX_TEST_DIR "/testdata/mime.types");
    EXPECT_TRUE(table.FromFile());
    const std::pair<const char*, const char*> cases[] = {
        {".abc", "application/x-first"},  // the first registration wins
        {".DEF", "application/x-first"},
        {".jkl", "application/x-second"},
        {".last", "text/x-last"},
        {".ghi", ""},
        {".cmt", ""},
        {".xyz", ""},
        {".txt", ""},  // the built-in table is not mixed in
        {"abc", ""},   // the dot is part of what is looked up
        {".", ""},
    };
    for (const auto& [extension, type] : cases)
        EXPECT_EQ(table.Lookup(extension), type) << extension;
}

TEST(MimeTypeTable, FallsBackToTheBuiltInTableAndIgnoresOversizedFilesAndEntries) {
    test::TempDir dir;
    for (const std::string& path : {dir.File("missing"), dir.Path()}) {
        SCOPED_TRACE(path);
        const TMimeTypeTable table(path);
        EXPECT_FALSE(table.FromFile());
        EXPECT_EQ(table.Lookup(".TXT"), "text/plain");
        EXPECT_EQ(table.Lookup(".eml"), "message/rfc822");
        EXPECT_EQ(table.Lookup(".nothing"), "");
    }
    // An oversized file and overlong entries are ignored.
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
