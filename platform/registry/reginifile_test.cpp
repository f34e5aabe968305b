#include "platform/registry/reginifile.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/stringlist.h"
#include "platform/registry/memoryregistrystore.h"

namespace vex {
namespace {

constexpr const char* Key = "Software\\Quentara Corporation\\Vexbane\\10";

class RegIniFile : public ::testing::Test {
protected:
    TRegistryStoreOverride Store{std::make_shared<TMemoryRegistryStore>()};
};

TEST_F(RegIniFile, SectionsAreSubkeysAndEveryValueIsText) {
    {
        TRegIniFile ini(Key);
        ini.WriteInteger("Subject", "col1", 41);
        ini.WriteBool("Subject", "On", true);
        ini.WriteString("", "Top", "in the file key");
        EXPECT_EQ(ini.CurrentPath(), Key) << "section work leaves the file key open";
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(std::string(Key) + "\\Subject"));
    EXPECT_EQ(reg.ReadString("col1"), "41");
    EXPECT_EQ(reg.ReadString("On"), "1");
    ASSERT_TRUE(reg.OpenKeyReadOnly(std::string("\\") + Key));
    EXPECT_EQ(reg.ReadString("Top"), "in the file key");

    TRegIniFile ini(Key);
    EXPECT_EQ(ini.ReadInteger("SUBJECT", "COL1", -1), 41);
    EXPECT_TRUE(ini.ReadBool("Subject", "On", false));
    EXPECT_EQ(ini.ReadInteger("Subject", "col3", -1), -1);
    EXPECT_EQ(ini.ReadString("Headers", "col0", "dflt"), "dflt");
    EXPECT_FALSE(ini.KeyExists("Headers")) << "reading never creates a section";
}

TEST_F(RegIniFile, AFileNameThatIsNoKeyPathRaisesAndWritesNothing) {
    for (const std::string& name : {std::string("Software\\\\Vexbane"), std::string(256, 'k')}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(TRegIniFile ini(name), ERegistryException);
    }
    TRegistry reg;
    TStringList keys;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\"));
    reg.GetKeyNames(keys);
    EXPECT_EQ(keys.Count(), 0);
}

TEST_F(RegIniFile, TextThatIsNoNumberReadsAsTheDefaultAndOtherTypesRaise) {
    TRegIniFile ini(Key);
    ini.WriteString("S", "n", "12abc");
    ini.WriteString("S", "b", "yes");
    ini.WriteString("S", "hex", "$1F");
    EXPECT_EQ(ini.ReadInteger("S", "n", -1), -1);
    EXPECT_TRUE(ini.ReadBool("S", "b", true));
    EXPECT_FALSE(ini.ReadBool("S", "b", false));
    EXPECT_EQ(ini.ReadInteger("S", "hex", -1), 31);

    ASSERT_TRUE(ini.OpenKey("S", false));
    ini.WriteInteger("dword", 5);
    ASSERT_TRUE(ini.OpenKey(std::string("\\") + Key, false));
    EXPECT_THROW(ini.ReadInteger("S", "dword", -1), ERegistryException);
    EXPECT_EQ(ini.CurrentPath(), Key) << "the file key is back after the failure";
}

TEST_F(RegIniFile, SectionsAreListedTestedAndErased) {
    TRegIniFile ini(Key);
    ini.WriteString("Sender", "b", "1");
    ini.WriteString("Sender", "a", "2");
    TStringList idents;
    idents.Add("stale");
    ini.ReadSection("Sender", idents);
    EXPECT_EQ(idents.CommaText(), "b,a");
    ini.ReadSection("Nothing", idents);
    EXPECT_EQ(idents.Count(), 0);
    EXPECT_TRUE(ini.SectionExists("sender"));
    EXPECT_TRUE(ini.ValueExists("Sender", "A"));
    EXPECT_FALSE(ini.ValueExists("Nothing", "a"));
    ini.EraseSection("SENDER");
    EXPECT_FALSE(ini.SectionExists("Sender"));
    ini.EraseSection("");
    EXPECT_TRUE(TRegistry().KeyExists(Key)) << "an empty section never erases the file";
}

}  // namespace
}  // namespace vex
