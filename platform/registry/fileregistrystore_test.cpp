#include "platform/registry/fileregistrystore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/registry/hivefile.h"
#include "platform/registry/registry.h"
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

    void WriteHive(const std::string& Text) {
        std::filesystem::create_directories(Folder());
        test::WriteWholeFile(HiveFile(), Text);
    }

    // The message of the ERegistryException that opening any key raises, or "" when none.
    std::string OpenError() {
        TRegistryStoreOverride store(Reopen());
        try {
            TRegistry().KeyExists("Any");
        } catch (const ERegistryException& e) {
            return e.Message();
        }
        return "";
    }

    test::TempDir Dir;
};

TEST_F(FileRegistry, ChangesSurviveAReloadFromDisk) {
    {
        TRegistryStoreOverride store(Reopen());
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Quentara Corporation\\Vexbane\\10\\Empty", true));
        ASSERT_TRUE(reg.OpenKey("\\Software\\Quentara Corporation\\Vexbane\\10", false));
        reg.WriteString("FormTop", "10");
        reg.WriteString("Odd name=%[]\\\n", "line 1\r\nline 2\t\x01\x7f\xff");
        reg.WriteInteger("Min", INT32_MIN);
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey("Machine", true));
    }
    TRegistryStoreOverride store(Reopen());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("SOFTWARE\\quentara corporation\\Vexbane\\10"));
    EXPECT_EQ(reg.ReadString("FormTop"), "10");
    EXPECT_EQ(reg.ReadString("Odd name=%[]\\\n"), "line 1\r\nline 2\t\x01\x7f\xff");
    EXPECT_EQ(reg.ReadInteger("Min"), INT32_MIN);
    EXPECT_TRUE(reg.KeyExists("Empty")) << "a key without values is kept";
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(reg.KeyExists("Machine"));
    EXPECT_TRUE(std::filesystem::exists(Folder() + "/HKEY_LOCAL_MACHINE.hive"));
}

TEST_F(FileRegistry, EveryChangeReplacesTheFileWholeAndLeavesNoTemporary) {
    TRegistryStoreOverride store(Reopen());
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("K", true));
    reg.WriteString("a", "1");
    EXPECT_EQ(test::ReadWholeFile(HiveFile()), "VexbaneRegistry 1\n[K]\na=sz:1\nEnd\n");
    reg.WriteInteger("b", 7);
    reg.DeleteValue("a");
    EXPECT_EQ(test::ReadWholeFile(HiveFile()), "VexbaneRegistry 1\n[K]\nb=dword:7\nEnd\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Folder()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(FileRegistry, DamagedFilesRaiseWithTheFileNameAndAreNotOverwritten) {
    struct Case {
        const char* Text;
        const char* Reason;
    };
    const Case cases[] = {
        {"", "is cut off (no End line)"},
        {"VexbaneRegistry 1\n[K]\na=sz:1\n", "is cut off (no End line)"},
        {"VexbaneRegistry 1\n[K]\na=sz:1\nEnd", "is cut off (no End line)"},
        {"VexbaneRegistry 1\n[K]\na=sz:1", "is cut off (no End line)"},
        {"[K]\nEnd\n", "is damaged at line 1: it is not a registry file"},
        {"VexbaneRegistry 2\nEnd\n", "is damaged at line 1: it is not a registry file"},
        {"VexbaneRegistry 1\nEnd\nx\n", "is damaged at line 2: text follows the End line"},
        {"VexbaneRegistry 1\n[K\nEnd\n", "is damaged at line 2: a key line is not closed by ]"},
        {"VexbaneRegistry 1\n[A\\\\B]\nEnd\n",
         "is damaged at line 2: a key name is empty or longer than 255"},
        {"VexbaneRegistry 1\n[K]\n[k]\nEnd\n", "is damaged at line 3: a key is listed twice"},
        {"VexbaneRegistry 1\n[K]\nnoequals\nEnd\n", "is damaged at line 3: a value line has no ="},
        {"VexbaneRegistry 1\na=sz:1\nA=sz:2\nEnd\n",
         "is damaged at line 3: a value is listed twice"},
        {"VexbaneRegistry 1\na=bin:00\nEnd\n", "is damaged at line 2: a value has no known type"},
        {"VexbaneRegistry 1\na=sz:%4\nEnd\n",
         "is damaged at line 2: a % is not followed by two hexadecimal digits"},
        {"VexbaneRegistry 1\na=sz:%G0\nEnd\n",
         "is damaged at line 2: a % is not followed by two hexadecimal digits"},
        {"VexbaneRegistry 1\na=dword:4294967296\nEnd\n",
         "is damaged at line 2: a number value is out of range"},
        {"VexbaneRegistry 1\na=dword:-1\nEnd\n",
         "is damaged at line 2: a number value is malformed"},
        {"VexbaneRegistry 1\na=dword:\nEnd\n", "is damaged at line 2: a number value is malformed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        WriteHive(c.Text);
        EXPECT_EQ(OpenError(), "Registry file " + HiveFile() + " " + c.Reason);
    }

    WriteHive("VexbaneRegistry 1\n[Keep]\nv=sz:precious\n");
    TRegistryStoreOverride store(Reopen());
    TRegistry reg;
    EXPECT_THROW(reg.OpenKey("Keep", true), ERegistryException);
    EXPECT_THROW(reg.OpenKey("Other", true), ERegistryException) << "it stays unread";
    EXPECT_EQ(test::ReadWholeFile(HiveFile()), "VexbaneRegistry 1\n[Keep]\nv=sz:precious\n");
}

TEST_F(FileRegistry, ValuesAndNamesBeyondTheBoundsAreDamage) {
    WriteHive("VexbaneRegistry 1\na=sz:" + std::string(MaxRegValueDataLength + 1, 'x') + "\nEnd\n");
    EXPECT_EQ(OpenError(),
              "Registry file " + HiveFile() + " is damaged at line 2: a value is too long");
    std::string deep = "VexbaneRegistry 1\n[k";
    for (size_t i = 0; i < MaxRegKeyDepth; ++i)
        deep += "\\k";
    WriteHive(deep + "]\nEnd\n");
    EXPECT_EQ(OpenError(),
              "Registry file " + HiveFile() + " is damaged at line 2: keys are nested too deeply");
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

TEST_F(FileRegistry, TheDefaultFolderFollowsTheUsersConfigurationFolder) {
    struct Env {
        explicit Env(const char* Name) : FName(Name) {
            if (const char* v = std::getenv(Name)) FOld = v;
        }
        ~Env() {
            if (FOld)
                setenv(FName, FOld->c_str(), 1);
            else
                unsetenv(FName);
        }
        const char* FName;
        std::optional<std::string> FOld;
    };
    Env config("XDG_CONFIG_HOME"), home("HOME");
    setenv("HOME", "/home/someone", 1);
    setenv("XDG_CONFIG_HOME", "/custom/config", 1);
    EXPECT_EQ(TFileRegistryStore::DefaultFolder(), "/custom/config/vexbane/registry");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(TFileRegistryStore::DefaultFolder(), "/home/someone/.config/vexbane/registry");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(TFileRegistryStore::DefaultFolder(), "/home/someone/.config/vexbane/registry");
    unsetenv("HOME");
    EXPECT_EQ(TFileRegistryStore::DefaultFolder(), "");

    TRegistryStoreOverride store(std::make_shared<TFileRegistryStore>(""));
    EXPECT_THROW(TRegistry().KeyExists("K"), ERegistryException);
}

TEST(HiveFile, FormatsKeysParentsFirstWithEscapedNames) {
    TRegKeyNode root("HKEY_CURRENT_USER");
    root.SetValue("top", TRegValue{REG_SZ, "t", 0});
    TRegKeyNode& a = root.AddKey("a\\b=");
    a.AddKey("Child").SetValue("n", TRegValue{REG_DWORD, "", 4294967295u});
    const std::string text = FormatHive(root);
    EXPECT_EQ(text,
              "VexbaneRegistry 1\ntop=sz:t\n[a%5Cb%3D]\n[a%5Cb%3D\\Child]\nn=dword:4294967295\n"
              "End\n");
    const auto parsed = ParseHive(text, "HKEY_CURRENT_USER", "f");
    EXPECT_EQ(FormatHive(*parsed), text);
    ASSERT_NE(parsed->FindKey("A\\B="), nullptr);
}

}  // namespace
}  // namespace vex
