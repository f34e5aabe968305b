#include "tools/rescomp/module.h"

#include <gtest/gtest.h>

#include "tools/rescomp/emitter.h"
#include "tools/rescomp/resourceerror.h"

namespace vex::rescomp {
namespace {

TEST(Module, TreatsTypeAndNameAlikeInAnyCaseAndOrdersThemForLookup) {
    Module module("core");
    module.AddFile("RCDATA", "b", "2", "b.bin");
    module.AddFile("BITMAP", "Z", "3", "z.bmp");
    module.AddFile("rcdata", "A", "1", "a.bin");
    EXPECT_THROW(module.AddFile("RcData", "B", "x", "again.bin"), ResourceError);

    std::string order;
    for (const auto& [key, file] : module.Files())
        order += file.Data;
    EXPECT_EQ(order, "312");
}

TEST(Module, RejectsBadNamesAndARepeatedStringNumberNamingBothPlaces) {
    for (const char* bad : {"", "9lives", "has-dash", "a b"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(Module{bad}, ResourceError);
    }
    Module module("_ok9");
    EXPECT_THROW(module.AddFile("RC DATA", "x", "", "f"), ResourceError);
    EXPECT_THROW(module.AddFile("RCDATA", "", "", "f"), ResourceError);
    EXPECT_THROW(module.AddFile("RCDATA", "caf\xe9", "", "f"), ResourceError);
    module.AddString(7, "first", "a.txt", 3);
    try {
        module.AddString(7, "second", "b.txt", 9);
        FAIL();
    } catch (const ResourceError& e) {
        EXPECT_EQ(std::string(e.what()), "b.txt:9: string 7 is already defined at a.txt:3");
    }
    EXPECT_EQ(module.Strings().at(7).Text, "first");
}

TEST(EmitModule, LaysStringsOutInNumberOrderInOneBlob) {
    Module module("demo");
    module.AddString(300, "cc", "t", 1);
    module.AddString(2, "a", "t", 2);
    module.AddString(10, "", "t", 3);
    const std::string source = EmitModule(module);
    EXPECT_NE(source.find("{2, 0, 1},\n    {10, 1, 0},\n    {300, 1, 2},"), std::string::npos);
    EXPECT_NE(source.find(R"("\x61\x63\x63";)"), std::string::npos);
    EXPECT_NE(source.find("extern \"C\" void vex_resources_demo() {}"), std::string::npos);
}

}  // namespace
}  // namespace vex::rescomp
