#include "platform/registry/fileregistrystore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/registry/hivefile.h"
#include "platform/registry/registry.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

class FileRegistry : public ::testing::Test {
protected:
    std::string Folder() const { return Dir.Path() + "/vexbane/registry"; }
    std::string HiveFile() const { return Folder() + "/HKEY_CURRENT_USER.hive"; }

    // A fresh store over the same folder, as a new run of the program would see it.
    std::shared_ptr<TFileRegistryStore> Reopen() const {
        return std::make_shared<TFileRegistryStore>(Folder());
    }

    test::TempDir Dir;
};

TEST_F(FileRegistry, EveryChangeIsWrittenWholeAtOnceAndSurvivesAReload) {
    {
        TRegistryStoreOverride store(Reopen());
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Vexbane\\Empty", true));
        ASSERT_TRUE(reg.OpenKey("\\Software\\Vexbane", false));
        reg.WriteString("Gone", "1");
        EXPECT_EQ(test::ReadWholeFile(HiveFile()),
                  "VexbaneRegistry 1\n[Software]\n[Software\\Vexbane]\nGone=sz:1\n"
                  "[Software\\Vexbane\\Empty]\nEnd\n");
        reg.WriteString("Odd name=%[]\\\n", "line 1\r\nline 2\t\x01\x7f\xff");
        reg.WriteInteger("Min", INT32_MIN);
        reg.DeleteValue("Gone");
        ASSERT_TRUE(reg.OpenKey("\\Key=[x]%", true));
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey("Machine", true));
    }
    EXPECT_EQ(test::ReadWholeFile(HiveFile()),
              test::ReadWholeFile(VEX_TEST_DIR "/testdata/written.hive"));
    const auto files = std::filesystem::directory_iterator(Folder());
    EXPECT_EQ(std::distance(begin(files), end(files)), 2) << "no temporary is left";

    TRegistryStoreOverride store(Reopen());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("SOFTWARE\\vexbane"));
    EXPECT_EQ(reg.ReadString("Odd name=%[]\\\n"), "line 1\r\nline 2\t\x01\x7f\xff");
    EXPECT_EQ(reg.ReadInteger("Min"), INT32_MIN);
    EXPECT_TRUE(reg.KeyExists("Empty")) << "a key without values is kept";
    EXPECT_TRUE(reg.KeyExists("\\Key=[x]%"));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(reg.KeyExists("Machine"));
}

TEST_F(FileRegistry, DamagedFilesRaiseWithTheFileNameAndAreNotOverwritten) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"VexbaneRegistry 1\na=sz:" + std::string(MaxRegValueDataLength + 1, 'x') + "\nEnd\n",
         "is damaged at line 2: a value is too long"},
        {"VexbaneRegistry 1\n[k", "is damaged at line 2: keys are nested too deeply"},
    };
    for (size_t i = 0; i < MaxRegKeyDepth; ++i)
        cases.back().first += "\\k";
    cases.back().first += "]\nEnd\n";
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/damaged-hives.txt"))
        cases.emplace_back(c[0], c[1]);
    std::filesystem::create_directories(Folder());
    for (const auto& [text, reason] : cases) {
        SCOPED_TRACE(text.substr(0, 60));
        test::WriteWholeFile(HiveFile(), text);
        TRegistryStoreOverride store(Reopen());
        EXPECT_EQ(test::ErrorText<ERegistryException>([] { TRegistry().KeyExists("Any"); }),
                  "Registry file " + HiveFile() + " " + reason);
        EXPECT_THROW(TRegistry().OpenKey("Other", true), ERegistryException) << "it stays unread";
        EXPECT_EQ(test::ReadWholeFile(HiveFile()), text) << "and is not overwritten";
    }
}

TEST_F(FileRegistry, AFailedWriteRaisesAndForgetsWhatWasNotWritten) {
    TRegistryStoreOverride store(Reopen());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    reg.WriteString("kept", "1");
    // A folder where the hive file should be makes every later write fail.
    std::filesystem::remove(HiveFile());
    std::filesystem::create_directory(HiveFile());
    EXPECT_THROW(reg.WriteString("lost", "2"), ERegistryException);
    std::filesystem::remove(HiveFile());
    EXPECT_FALSE(reg.ValueExists("lost"));
    EXPECT_FALSE(reg.KeyExists("\\K")) << "the hive was read again from disk, where it is gone";
}

TEST(FileRegistryFolder, FollowsTheUsersConfigurationFolder) {
    const char* names[] = {"XDG_CONFIG_HOME", "HOME"};
    const auto set = [&](size_t I, const std::string& Value) {  // "-" unsets
        Value == "-" ? unsetenv(names[I]) : setenv(names[I], Value.c_str(), 1);
    };
    std::string saved[2];
    for (size_t i = 0; i < 2; ++i)
        saved[i] = std::getenv(names[i]) ? std::getenv(names[i]) : "-";
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/config-folders.txt")) {
        SCOPED_TRACE(c.Where);
        set(0, c[0]);
        set(1, c[1]);
        EXPECT_EQ(TFileRegistryStore::DefaultFolder(), c[2]);
    }
    set(0, saved[0]);
    set(1, saved[1]);

    TRegistryStoreOverride store(std::make_shared<TFileRegistryStore>(""));
    EXPECT_THROW(TRegistry().KeyExists("K"), ERegistryException);
}

TEST(HiveFile, AKeyNameWithABackslashStaysOneKeyThroughARewrite) {
    const std::string text =
        "VexbaneRegistry 1\ntop=sz:t\n[a%5Cb]\n[a%5Cb\\Child]\nn=dword:4294967295\nEnd\n";
    const auto parsed = ParseHive(text, "HKEY_CURRENT_USER", "f");
    ASSERT_NE(parsed->FindKey("A\\B"), nullptr);
    EXPECT_EQ(FormatHive(*parsed), text);
}

TEST(HiveFile, ManyValuesInAKeyLoadInTimeLinearInTheirNumber) {
    // Two keys of 20,000 values each, named alike in both: each took minutes when every value
    // line was looked for among the values before it.
    std::string text = "VexbaneRegistry 1\n";
    for (const char* key : {"[A]\n", "[B]\n"}) {
        text += key;
        for (int i = 0; i < 20000; ++i)
            text += "value" + std::to_string(i) + "=dword:" + std::to_string(i) + "\n";
    }
    text += "End\n";
    const auto start = std::chrono::steady_clock::now();
    const auto parsed = ParseHive(text, "HKEY_CURRENT_USER", "f");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(parsed->FindKey("B")->Values().size(), 20000u);
    EXPECT_EQ(FormatHive(*parsed), text);
}

}  // namespace
}  // namespace vex
