#include "platform/core/mimetypes.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/casefile.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(MimeTypeTable, ReadsTypesAndExtensionsFromAMimeTypesFile) {
    // Comments, a CR LF line end, a line without extensions and one without a type, no final break.
    const TMimeTypeTable table(VEX_TEST_DIR "/testdata/mime.types");
    EXPECT_TRUE(table.FromFile());
    for (const auto& [row, where] : test::ReadCases(VEX_TEST_DIR "/testdata/mime_lookups.txt")) {
        SCOPED_TRACE(where);
        EXPECT_EQ(table.Lookup(row[0]), row[1]);
    }
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
