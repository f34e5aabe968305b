#include "net/agRasCmp.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "net/componentexceptions.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/messagebox.h"
#include "platform/win/messageloop.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "platform/win/window.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

// Message boxes are collected instead of shown; the virtual clock lets dials of many seconds
// pass at once.
class RasTest : public ::testing::Test {
protected:
    TVirtualClock clock;
    TClockOverride useClock{clock};
    Lines boxes;
    TMessageBoxOverride collectBoxes{
        [this](HWND, const std::string& Text, const std::string&, UINT) {
            boxes.push_back(Text);
            return IDOK;
        }};
};

TEST_F(RasTest, WithoutTheServiceOrItsDialFunctionNothingIsListedOrDialled) {
    {
        TagRas ras(nullptr);
        EXPECT_EQ(ras.Entries().Count(), 0);
        ras.SetService("Provider");
        EXPECT_EQ(boxes, Lines{"TagRas component was unable to detect\r\nRAS on your system."});
        ras.Dial();
        EXPECT_TRUE(ras.Connected());  // nothing to dial: the network is taken as there
        ras.HangUp();
    }
    TScriptedDialup service({"RasDialA"});
    service.AddEntry({.Name = "Provider", .Script = ConnectingScript(100)});
    TagRas ras(nullptr);
    ras.SetService("Provider");
    ras.Dial();
    EXPECT_FALSE(ras.Connected());
    EXPECT_TRUE(service.Dials().empty());
}

class RasDial : public RasTest {
protected:
    RasDial() {
        service.AddEntry({.Name = "Provider",
                          .Password = "stored",
                          .PasswordStored = true,
                          .IpAddress = "10.0.0.2",
                          .Script = ConnectingScript(1000)});
    }

    // Made after the phone book is filled, since the component reads it when created.
    TagRas& Ras(const std::string& ServiceName = "Provider") {
        ras = std::make_unique<TagRas>(nullptr);
        ras->SetService(ServiceName);
        ras->OnDisconnected = [this](TObject*) { ++disconnected; };
        return *ras;
    }

    TScriptedDialup service;
    std::unique_ptr<TagRas> ras;
    int disconnected = 0;
};

TEST_F(RasDial, ListsEveryEntryOfThePhoneBookBeyondTheFirstBuffer) {
    for (int i = 1; i <= 30; ++i)
        service.AddEntry({.Name = "Entry " + std::to_string(i)});
    TagRas& r = Ras();
    ASSERT_EQ(r.Entries().Count(), 31);
    EXPECT_EQ(r.Entries()[30], "Entry 30");
}

TEST_F(RasDial, ServiceTakesOnlyNamesOfThePhoneBookInTheirOwnSpellingAndOnlyWhileDown) {
    service.AddEntry({.Name = "Other"});
    TagRas& r = Ras("provider");
    EXPECT_EQ(r.Service(), "Provider");
    r.SetService("Nowhere");
    EXPECT_EQ(r.Service(), "");
    r.SetService("Provider");
    r.Dial();
    r.SetService("Other");
    EXPECT_EQ(boxes, Lines{"This property can be set only before\r\nestablishing the connection"});
    EXPECT_EQ(r.Service(), "Provider");
    r.HangUp();
    r.SetService("Other");
    EXPECT_EQ(r.Service(), "Other");
}

TEST_F(RasDial, ADialEndsAsTheServiceAnswersHungUpUnlessItConnectsAndTheNextOneStartsClean) {
    std::map<std::string, HRASCONN> connections;
    for (const test::TestBlock& c : test::ReadBlocks(VEX_TEST_DIR "/testdata/ras_dials.txt")) {
        SCOPED_TRACE(c.Name);
        TagRas& r = Ras();
        TTimer timer(nullptr);
        timer.SetEnabled(false);
        bool quit = false;
        timer.OnTimer = [&](TObject*) {
            timer.SetEnabled(false);
            quit ? PostQuitMessage(0) : r.HangUpAndCancel();
        };
        service.StringTable.clear();
        for (const std::string& line : c.Parts.at(0)) {
            const test::TestCase step = test::CaseOf(line);
            const std::string& what = step[0];
            if (what == "entry") {
                TDialScript script;
                for (size_t i = 2; i + 2 < step.size(); i += 3)
                    script.push_back({static_cast<uint32_t>(step.Int(i)),
                                      static_cast<RASCONNSTATE>(step.Int(i + 1)),
                                      static_cast<DWORD>(step.Int(i + 2))});
                service.AddEntry({.Name = step[1], .Script = script});
                r.SetService(step[1]);
            } else if (what == "refuse") {
                service.SetFunctionError(step[1], static_cast<DWORD>(step.Int(2)));
            } else if (what == "error-text" || what == "state-text") {
                (what == "error-text" ? service.ErrorTexts : service.StringTable)[step.Int(1)] =
                    step[2];
            } else if (what == "password") {
                r.SetPassword(step[1]);
                r.SetRemovePassword(step[2] == "remove");
            } else if (what == "connection") {
                connections[step[1]] = service.AddConnection(step[1], step[2]);
            } else if (what == "dropped-with") {
                r.Dial();
                ASSERT_TRUE(PostMessage(r.WindowHandle(), r.DialEventMsg(), RASCS_Disconnected,
                                        static_cast<LPARAM>(step.Int(1))));
                ProcessMessagesUntil([&] { return r.LastError() != 0; },
                                     clock.TickMilliseconds() + 10000);
            } else if (what.ends_with("-after")) {
                timer.SetInterval(static_cast<uint32_t>(step.Int(1)));
                timer.SetEnabled(true);
                quit = what == "quit-after";
            } else {
                what == "timeout" ? r.SetTimeOut(static_cast<int32_t>(step.Int(1)))
                                  : r.SetForceService(step[1] != "no");
            }
        }
        Lines texts{"status"};
        r.OnStatusChange = [&](TObject*, const std::string& Text) { texts.push_back(Text); };
        disconnected = 0;
        const size_t dials = service.Dials().size(), hangUps = service.HangUps().size();
        const int64_t start = clock.TickMilliseconds();
        Lines seen{"connected"};
        try {
            r.Dial();
            if (!r.DialledByMe()) seen[0] = "adopted";
        } catch (const ETimedOutError&) {
            seen[0] = "timed-out";
        } catch (const ECanceledError&) {
            seen[0] = "canceled";
        } catch (const EInvalidOperation&) {
            seen[0] = "invalid";
        } catch (const ERASError& e) {
            seen = {"failed", e.what(), std::to_string(e.LastError)};
            EXPECT_EQ(r.LastError(), e.LastError);
        }
        seen.insert(seen.begin() + 1, {std::to_string(clock.TickMilliseconds() - start),
                                       std::to_string(disconnected)});
        for (const auto& [name, handle] : connections)
            if (seen[0] == "adopted" && r.ConnHandle() == handle) seen.push_back(name);
        EXPECT_EQ(seen, test::CaseOf(c.Parts.at(1).at(0)).Fields);
        EXPECT_EQ(texts, test::CaseOf(c.Parts.at(1).at(1)).Fields);
        if (c.Parts[1].size() > 2) {
            const TPhoneBookEntry& entry = service.Entry("Provider");
            EXPECT_EQ((Lines{"passwords", service.Dials().back().Params.Password, entry.Password,
                             entry.PasswordStored ? "stored" : "removed"}),
                      test::CaseOf(c.Parts[1][2]).Fields);
        }

        EXPECT_TRUE(seen[0] != "connected" || r.ConnHandle() == service.Dials().back().Handle);
        r.HangUp();
        r.HangUp();
        EXPECT_EQ(disconnected, seen[0] == "connected" ? 1 : std::stoi(seen[2]));
        EXPECT_FALSE(r.Connected());
        EXPECT_EQ(r.ConnHandle(), TagRas::NoConnection);
        EXPECT_EQ(service.HangUps().size() - hangUps, static_cast<size_t>(disconnected));
        EXPECT_TRUE(service.Dials().size() == dials ||
                    service.HangUps().back() == service.Dials().back().Handle);
        MSG message{};
        EXPECT_EQ(PeekMessage(message, 0, WM_QUIT, WM_QUIT, PM_REMOVE) != 0, quit);

        for (const char* function : {"RasDialA", "RasEnumConnectionsA"})
            service.SetFunctionError(function, 0);
        r.SetService("Provider");
        r.SetPassword("");
        r.Dial();
        EXPECT_TRUE(r.Connected());
        EXPECT_EQ(r.LastError(), 0u);
        r.HangUp();
    }
}

}  // namespace
}  // namespace vex
