#include "platform/shell/urlopener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell/recordingurlopener.h"
#include "platform/shell/xdgurlopener.h"
#include "tests/support/messagepump.h"
#include "tests/support/tempdir.h"

namespace vex {
namespace {

TEST(CheckOpenableUrl, OpensOnlyWebFileTransferAndMailAddresses) {
    struct Case {
        std::string Url;
        bool Allowed;
    };
    const std::vector<Case> cases = {
        {"http://example.org/", true},
        {"HTTPS://example.org/a?b=c", true},
        {"hTtP://x", true},
        {"ftp://files.example.org/pub", true},
        {"MailTo:someone@example.org?subject=hi", true},
        {"", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"/usr/bin/xterm", false},
        {"example.org", false},
        {"http//example.org", false},
        {" http://example.org", false},
        {"-http://example.org", false},
        {"httpx://example.org", false},
        {":http", false},
        {"https://example.org/\nsecond line", false},
        {"https://example.org/\ttab", false},
        {"https://example.org/\x7f", false},
        {std::string("https://example.org/\0x", 22), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Url);
        if (c.Allowed)
            EXPECT_NO_THROW(CheckOpenableUrl(c.Url));
        else
            EXPECT_THROW(CheckOpenableUrl(c.Url), EUrlOpenError);
    }
}

TEST(RecordingUrlOpener, RefusesAsTheDesktopsDoesAndFailsOnRequest) {
    TRecordingUrlOpener opener;
    opener.Open("http://a/");
    EXPECT_THROW(opener.Open("file:///x"), EUrlOpenError);
    opener.Failure = "no browser";
    EXPECT_THROW(opener.Open("http://b/"), EUrlOpenError);
    EXPECT_EQ(opener.Opened, std::vector<std::string>{"http://a/"});
}

// A fake xdg-open first on PATH, for the real opener to start.
class XdgUrlOpener : public ::testing::Test {
protected:
    void SetUp() override {
        FSavedPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        std::filesystem::copy_file(std::string(VEX_TEST_DIR) + "/testdata/fake-xdg-open",
                                   FBin.File("xdg-open"));
        chmod(FBin.File("xdg-open").c_str(), 0755);
        setenv("PATH", (FBin.Path() + ":" + FSavedPath).c_str(), 1);
        setenv("FAKE_OPENER_LOG", Log().c_str(), 1);
        unsetenv("FAKE_OPENER_EXIT");
        unsetenv("FAKE_OPENER_SLEEP");
    }
    void TearDown() override {
        setenv("PATH", FSavedPath.c_str(), 1);
        unsetenv("FAKE_OPENER_LOG");
        unsetenv("FAKE_OPENER_EXIT");
        unsetenv("FAKE_OPENER_SLEEP");
    }

    std::string Log() const { return FWork.File("argv"); }
    // The arguments the fake was started with, after its own name.
    std::vector<std::string> Arguments() const {
        const std::string all = test::ReadWholeFile(Log());
        std::vector<std::string> arguments;
        for (size_t start = 0, end; start < all.size(); start = end + 1) {
            end = all.find('\0', start);
            arguments.push_back(all.substr(start, end - start));
        }
        return arguments;
    }

    test::TempDir FBin;
    test::TempDir FWork;
    std::string FSavedPath;
};

TEST_F(XdgUrlOpener, HandsTheAddressOverAsOneArgumentThatNoShellReads) {
    const std::string marker = FWork.File("marker");
    const std::vector<std::string> urls = {
        "http://example.org/a b c",
        "http://example.org/;touch " + marker,
        "http://example.org/$(touch " + marker + ")",
        "http://example.org/`touch " + marker + "`",
        "http://example.org/'quoted' \"twice\" \\ | & > " + marker,
        "mailto:a@example.org?body=*",
    };
    TXdgUrlOpener opener;
    for (const std::string& url : urls) {
        SCOPED_TRACE(url);
        opener.Open(url);
        EXPECT_EQ(Arguments(), std::vector<std::string>{url});
    }
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(XdgUrlOpener, RefusedAddressesStartNothing) {
    TXdgUrlOpener opener;
    EXPECT_THROW(opener.Open("file:///etc/passwd"), EUrlOpenError);
    EXPECT_FALSE(std::filesystem::exists(Log()));
}

TEST_F(XdgUrlOpener, ReportsTheOpenersFailure) {
    struct Case {
        const char* Exit;
        const char* Reason;
    };
    const std::vector<Case> cases = {
        {"1", "did not understand"},    {"2", "found nothing"}, {"3", "no program"},
        {"4", "program for it failed"}, {"77", "code 77"},
    };
    TXdgUrlOpener opener;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Exit);
        setenv("FAKE_OPENER_EXIT", c.Exit, 1);
        try {
            opener.Open("https://example.org/");
            ADD_FAILURE() << "no error";
        } catch (const EUrlOpenError& e) {
            EXPECT_NE(std::string(e.what()).find(c.Reason), std::string::npos) << e.what();
        }
    }
}

TEST_F(XdgUrlOpener, ReportsAMissingOpener) {
    setenv("PATH", FWork.Path().c_str(), 1);
    TXdgUrlOpener opener;
    try {
        opener.Open("https://example.org/");
        ADD_FAILURE() << "no error";
    } catch (const EUrlOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("could not be started"), std::string::npos);
    }
}

TEST_F(XdgUrlOpener, KeepsTheLoopRunningWhileItWaitsAndStopsWaitingInTime) {
    test::RecordingWindow window;
    ASSERT_TRUE(PostMessage(window.Handle(), WM_USER, 0, 0));
    setenv("FAKE_OPENER_SLEEP", "0.3", 1);
    TXdgUrlOpener patient(5000);
    patient.Open("https://example.org/");
    EXPECT_EQ(window.Received.size(), 1u);

    // One that outlasts the patience counts as opened and is reaped later.
    setenv("FAKE_OPENER_SLEEP", "3", 1);
    TXdgUrlOpener hasty(200);
    const auto start = std::chrono::steady_clock::now();
    hasty.Open("https://example.org/");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST_F(XdgUrlOpener, TheOpenerInheritsNoDescriptorOfOurs) {
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);  // without close-on-exec, as a careless library might
    TXdgUrlOpener opener;
    opener.Open("https://example.org/");
    const std::string fds = test::ReadWholeFile(Log() + ".fds");
    close(pipe[0]);
    close(pipe[1]);
    for (const int fd : pipe)
        EXPECT_EQ(("\n" + fds).find("\n" + std::to_string(fd) + "\n"), std::string::npos) << fds;
}

}  // namespace
}  // namespace vex
