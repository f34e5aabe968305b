#include "components/misc/CFirstIn.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/shell/recordingwindowdirectory.h"
#include "platform/win/application.h"
#include "platform/win/window.h"
#include "platform/win/windowclass.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

std::vector<std::string> Split(const std::string& Text, char Separator) {
    std::vector<std::string> parts;
    if (Text.empty() || Text == "-") return parts;
    size_t start = 0;
    for (size_t at; (at = Text.find(Separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(Text.substr(start, at - start));
    parts.push_back(Text.substr(start));
    return parts;
}

// The copy under test runs in this process, with the directory in memory.
class FirstInstance : public ::testing::Test {
protected:
    FirstInstance() : FTitle(Application().Title()) { SetWindowDirectory(&Directory); }
    ~FirstInstance() override {
        SetWindowDirectory(nullptr);
        Application().SetTitle(FTitle);
        Application().OnException = nullptr;
        TakeQuit();
    }

    // Spells out the names a case file uses for this process and its application window.
    static std::string Resolve(std::string Text) {
        for (const auto& [name, value] :
             {std::pair<std::string, std::string>{"self", std::to_string(getpid())},
              {"APP", std::to_string(Application().Handle())}}) {
            for (size_t at; (at = Text.find(name)) != std::string::npos;)
                Text.replace(at, name.size(), value);
        }
        return Text;
    }
    // Loads the component as its form's loading would.
    static void Load(TFirstInstance& Instance) {
        Instance.BeginLoading();
        Instance.EndLoading();
    }
    // Whether the copy was told to end, taking the WM_QUIT that says so.
    static bool TakeQuit() {
        MSG msg;
        return PeekMessage(msg, 0, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    TRecordingWindowDirectory Directory;

private:
    std::string FTitle;
};

TEST_F(FirstInstance, GivesWayToAnotherCopyWithTheSameClassAndTitle) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/firstinstance.txt")) {
        SCOPED_TRACE(c.Where + " " + c[0]);
        Directory.Entries.clear();
        Directory.Calls.clear();
        Application().SetTitle(c[1]);
        for (const std::string& listed : Split(Resolve(c[2]), ';')) {
            const std::vector<std::string> f = Split(listed, '|');
            Directory.Entries.push_back(
                {f.at(0), f.at(1), std::stoi(f.at(2)), 0, std::stoull(f.at(3))});
        }
        Directory.Delivers = c[4] == "yes";
        TFirstInstance instance(nullptr);
        std::string seen = "-";
        if (c[3] != "-") {
            instance.OnFoundInstance = [&](TObject* Sender, int32_t Handle, bool& ShowFirst) {
                EXPECT_EQ(Sender, &instance);
                EXPECT_TRUE(ShowFirst);
                EXPECT_FALSE(Directory.Locked());
                seen = std::to_string(Handle);
                ShowFirst = c[3] == "show";
            };
        }
        Load(instance);
        EXPECT_EQ(Directory.Calls, Split(Resolve(c[5]), ';'));
        EXPECT_EQ(seen, c[6]);
        EXPECT_EQ(instance.Found(), c[7] == "yes");
        EXPECT_EQ(TakeQuit(), c[8] == "yes");
    }
}

TEST_F(FirstInstance, ListsItsWindowForAsLongAsItLives) {
    Application().SetTitle("Vexbane");
    {
        TFirstInstance instance(nullptr);
        Load(instance);
        ASSERT_EQ(Directory.Entries.size(), 1u);
        EXPECT_EQ(Directory.Entries[0].Window, Application().Handle());
        EXPECT_EQ(Directory.Entries[0].ClassName, GetClassName(Application().Handle()));
    }
    EXPECT_EQ(Directory.Calls.back(), "unregister " + std::to_string(Application().Handle()));
    EXPECT_TRUE(Directory.Entries.empty());
}

TEST_F(FirstInstance, ReportsADirectoryThatFailsAndRunsAsTheOnlyCopy) {
    Application().SetTitle("Vexbane");
    Directory.Failure =
        "The folder /run/user/1000/vexbane cannot be used: it belongs to another user";
    std::string reported;
    Application().OnException = [&](TObject* Sender, const std::exception& E) {
        EXPECT_NE(dynamic_cast<TFirstInstance*>(Sender), nullptr);
        reported = E.what();
    };
    TFirstInstance instance(nullptr);
    Load(instance);
    EXPECT_EQ(reported, Directory.Failure);
    EXPECT_FALSE(instance.Found());
    EXPECT_FALSE(TakeQuit());
}

}  // namespace
}  // namespace vex
