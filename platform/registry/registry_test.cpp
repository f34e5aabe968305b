#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/core/stringlist.h"
#include "platform/registry/fileregistrystore.h"
#include "platform/registry/memoryregistrystore.h"
#include "platform/registry/reginifile.h"
#include "tests/support/errortext.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

// Every behaviour of TRegistry must hold over either store.
class Registry : public ::testing::TestWithParam<const char*> {
protected:
    Registry()
        : Override(std::string(GetParam()) == "memory"
                       ? std::shared_ptr<TRegistryStore>(std::make_shared<TMemoryRegistryStore>())
                       : std::make_shared<TFileRegistryStore>(Dir.Path() + "/registry")) {}

    test::TempDir Dir;
    TRegistryStoreOverride Override;
};

TEST_P(Registry, ValuesReadBackAsWrittenAndFailuresRaiseAndLoseNothing) {
    TRegistry reg;
    const auto error = [](const std::function<void()>& Action) {
        return test::ErrorText<ERegistryException>(Action);
    };
    EXPECT_EQ(error([&] { reg.ReadString("x"); }), "Failed to get data for 'x'");
    EXPECT_EQ(error([&] { reg.WriteString("x", "1"); }), "Failed to set data for 'x'");
    ASSERT_TRUE(reg.OpenKey("Software\\Vexbane", true));
    reg.WriteString("S", "12");
    reg.WriteString("", "default value");
    reg.WriteInteger("N", -5);
    reg.WriteBool("Flag", true);
    EXPECT_EQ(error([&] { reg.ReadInteger("S"); }), "Invalid data type for 'S'");
    EXPECT_EQ(error([&] { reg.ReadBool("S"); }), "Invalid data type for 'S'");
    EXPECT_EQ(error([&] { reg.ReadString("N"); }), "Invalid data type for 'N'");
    EXPECT_EQ(error([&] { reg.ReadString("Gone"); }), "Failed to get data for 'Gone'");
    EXPECT_EQ(error([&] { reg.WriteString("S", std::string(MaxRegValueDataLength + 1, 'x')); }),
              "Failed to set data for 'S'");
    const std::string longName(MaxRegValueNameLength + 1, 'n');
    EXPECT_THROW(reg.WriteString(longName, "x"), ERegistryException);
    EXPECT_FALSE(reg.ValueExists(longName));
    reg.CloseKey();

    TRegistry again;
    ASSERT_TRUE(again.OpenKeyReadOnly("\\SOFTWARE\\vexbane\\"));
    EXPECT_EQ(again.ReadString("s"), "12") << "a failed read or write changes nothing";
    EXPECT_EQ(again.ReadString(""), "default value");
    EXPECT_EQ(again.ReadInteger("n"), -5);
    EXPECT_TRUE(again.ReadBool("FLAG"));
    EXPECT_EQ(again.GetDataType("S"), rdString);
    EXPECT_EQ(again.GetDataType("N"), rdInteger);
    EXPECT_EQ(again.GetDataType("Missing"), rdUnknown);
}

TEST_P(Registry, PathsStartAtTheOpenKeyOrTheirHivesRootAndInvalidOnesAreRefused) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("A", true));
    ASSERT_TRUE(reg.OpenKey("B\\C", true));
    EXPECT_EQ(reg.CurrentPath(), "A\\B\\C");
    EXPECT_TRUE(reg.KeyExists("\\a\\b"));
    EXPECT_FALSE(reg.KeyExists("B")) << "relative to A\\B\\C";
    ASSERT_TRUE(reg.OpenKey("\\A", false));
    EXPECT_TRUE(reg.KeyExists("b\\c"));
    EXPECT_FALSE(reg.OpenKey("Missing", false));
    EXPECT_EQ(reg.CurrentPath(), "A") << "a failed open keeps the open key";
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.HasOpenKey());
    EXPECT_FALSE(reg.KeyExists("\\A")) << "each root is a hive of its own";
    EXPECT_THROW(reg.SetRootKey(0x12345), ERegistryException);
    EXPECT_EQ(reg.RootKey(), HKEY_LOCAL_MACHINE);

    std::string deep;
    for (int i = 0; i < 513; ++i)
        deep += "d\\";
    for (const std::string& bad : {std::string("A\\\\B"), std::string("A\\\\"),
                                   std::string(256, 'k'), "A\\" + std::string(256, 'k'), deep}) {
        SCOPED_TRACE(bad.substr(0, 40));
        EXPECT_FALSE(reg.OpenKey(bad, true));
        EXPECT_FALSE(reg.KeyExists(bad));
        EXPECT_FALSE(reg.DeleteKey(bad));
    }
    EXPECT_TRUE(reg.OpenKey(std::string(255, 'k'), true));
    TStringList names;
    ASSERT_TRUE(reg.OpenKey("\\", false));
    reg.GetKeyNames(names);
    EXPECT_EQ(names.Count(), 1) << "nothing of the refused paths was created";
}

TEST_P(Registry, NamesIgnoreCaseAndDeletedOrReadOnlyKeysRefuseChanges) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Root\\beta\\deep", true));
    ASSERT_TRUE(reg.OpenKey("\\Root\\Alpha", true));
    ASSERT_TRUE(reg.OpenKey("\\ROOT\\BETA", true)) << "the existing key, not a second one";
    reg.WriteString("zeta", "1");
    reg.WriteString("Alpha", "2");
    reg.WriteString("ZETA", "3");
    TStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(names.CommaText(), "zeta,Alpha") << "first spelling, order of first writing";
    EXPECT_EQ(reg.ReadString("Zeta"), "3");
    EXPECT_TRUE(reg.DeleteValue("ZETA"));
    EXPECT_FALSE(reg.DeleteValue("zeta"));
    ASSERT_TRUE(reg.OpenKey("\\root", false));
    reg.GetKeyNames(names);
    EXPECT_EQ(names.CommaText(), "Alpha,beta");
    EXPECT_TRUE(reg.DeleteKey("BETA"));
    EXPECT_FALSE(reg.DeleteKey("beta")) << "it is gone, and its subkeys with it";

    TRegistry other;
    ASSERT_TRUE(reg.OpenKey("\\Gone", true));
    reg.WriteString("v", "1");
    ASSERT_TRUE(other.DeleteKey("Gone"));
    EXPECT_FALSE(reg.ValueExists("v"));
    EXPECT_THROW(reg.WriteString("v", "2"), ERegistryException);
    EXPECT_FALSE(other.KeyExists("Gone")) << "the write did not bring the key back";

    ASSERT_TRUE(reg.OpenKey("\\K\\Sub", true));
    reg.WriteString("v", "1");
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\K"));
    EXPECT_FALSE(reg.OpenKeyReadOnly("\\Nowhere")) << "read-only never creates";
    EXPECT_FALSE(reg.KeyExists("\\Nowhere"));
    EXPECT_THROW(reg.WriteString("w", "1"), ERegistryException);
    EXPECT_FALSE(reg.DeleteKey("Sub"));
    ASSERT_TRUE(reg.OpenKeyReadOnly("Sub"));
    EXPECT_FALSE(reg.DeleteValue("v"));
    EXPECT_EQ(reg.ReadString("v"), "1");
}

INSTANTIATE_TEST_SUITE_P(Stores, Registry, ::testing::Values("memory", "file"));

constexpr const char* Key = "Software\\Quentara Corporation\\Vexbane\\10";

TEST(RegIniFile, SectionsAreSubkeysOfTheFileKeyAndEveryValueIsText) {
    TRegistryStoreOverride store{std::make_shared<TMemoryRegistryStore>()};
    for (const std::string& name : {std::string("Software\\\\Vexbane"), std::string(256, 'k')})
        EXPECT_THROW(TRegIniFile ini(name), ERegistryException) << name;
    EXPECT_FALSE(TRegistry().KeyExists("Software")) << "nothing is written for them";
    {
        TRegIniFile ini(Key);
        ini.WriteInteger("Subject", "col1", 41);
        ini.WriteBool("Subject", "On", true);
        ini.WriteString("", "Top", "in the file key");
        ini.WriteString("S", "n", "12abc");
        ini.WriteString("S", "b", "yes");
        ini.WriteString("S", "hex", "$1F");
        EXPECT_EQ(ini.CurrentPath(), Key) << "section work leaves the file key open";
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(std::string(Key) + "\\Subject", false));
    EXPECT_EQ(reg.ReadString("col1"), "41");
    EXPECT_EQ(reg.ReadString("On"), "1");
    ASSERT_TRUE(reg.OpenKey(std::string("\\") + Key + "\\S", false));
    reg.WriteInteger("dword", 5);
    ASSERT_TRUE(reg.OpenKeyReadOnly(std::string("\\") + Key));
    EXPECT_EQ(reg.ReadString("Top"), "in the file key");

    TRegIniFile ini(Key);
    EXPECT_EQ(ini.ReadInteger("SUBJECT", "COL1", -1), 41);
    EXPECT_TRUE(ini.ReadBool("Subject", "On", false));
    EXPECT_EQ(ini.ReadInteger("Subject", "col3", -1), -1);
    EXPECT_EQ(ini.ReadString("Headers", "col0", "dflt"), "dflt");
    EXPECT_FALSE(ini.KeyExists("Headers")) << "reading never creates a section";
    // Text that is no number reads as the default; a value of another type raises.
    EXPECT_EQ(ini.ReadInteger("S", "n", -1), -1);
    EXPECT_TRUE(ini.ReadBool("S", "b", true));
    EXPECT_FALSE(ini.ReadBool("S", "b", false));
    EXPECT_EQ(ini.ReadInteger("S", "hex", -1), 31);
    EXPECT_THROW(ini.ReadInteger("S", "dword", -1), ERegistryException);
    EXPECT_EQ(ini.CurrentPath(), Key) << "the file key is back after the failure";

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
