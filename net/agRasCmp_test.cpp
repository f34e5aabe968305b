#include "net/agRasCmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "net/componentexceptions.h"
#include "platform/dialup/scripteddialup.h"
#include "platform/win/application.h"
#include "platform/win/messagebox.h"
#include "platform/win/messageloop.h"
#include "platform/win/timer.h"
#include "platform/win/virtualclock.h"
#include "platform/win/window.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

using Lines = std::vector<std::string>;

const std::string NotDetected = "TagRas component was unable to detect\r\nRAS on your system.";

// Message boxes are collected instead of shown; the virtual clock lets dials of many seconds
// pass at once.
class RasTest : public ::testing::Test {
protected:
    TVirtualClock clock;
    TClockOverride useClock{clock};
    Lines boxes;
    TMessageBoxOverride collectBoxes{
        [this](HWND, const std::string& Text, const std::string& Caption, UINT Type) {
            EXPECT_EQ(Caption, Application().Title());
            EXPECT_EQ(Type, MB_OK);
            boxes.push_back(Text);
            return IDOK;
        }};
};

TEST_F(RasTest, WithoutTheServiceOrItsDialFunctionNothingIsListedOrDialled) {
    {
        TagRas ras(nullptr);
        EXPECT_EQ(ras.Entries().Count(), 0);
        ras.SetService("Provider");
        EXPECT_EQ(boxes, Lines{NotDetected});
        ras.Dial();
        EXPECT_TRUE(ras.Connected());  // nothing to dial: the network is taken as there
        EXPECT_EQ(ras.ConnHandle(), TagRas::NoConnection);
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
                          .UserName = "ann",
                          .Password = "stored",
                          .PasswordStored = true,
                          .IpAddress = "10.0.0.2",
                          .Script = ConnectingScript(1000)});
    }

    // Made after the phone book is filled, since the component reads it when created.
    TagRas& Ras(const std::string& ServiceName = "Provider") {
        ras = std::make_unique<TagRas>(nullptr);
        ras->SetService(ServiceName);
        ras->OnDisconnected = [this](TObject* Sender) {
            EXPECT_EQ(Sender, ras.get());
            ++disconnected;
        };
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
    EXPECT_EQ(r.LastError(), 0u);
}

TEST_F(RasDial, ServiceTakesOnlyNamesOfThePhoneBookInTheirOwnSpellingAndOnlyWhileDown) {
    service.AddEntry({.Name = "Other"});
    TagRas& r = Ras("provider");
    EXPECT_EQ(r.Service(), "Provider");
    r.SetService("Nowhere");
    EXPECT_EQ(r.Service(), "");
    EXPECT_TRUE(boxes.empty());

    r.SetService("Provider");
    r.Dial();
    r.SetService("Other");
    EXPECT_EQ(boxes, Lines{"This property can be set only before\r\nestablishing the connection"});
    EXPECT_EQ(r.Service(), "Provider");
    r.HangUp();
    r.SetService("Other");
    EXPECT_EQ(r.Service(), "Other");
}

TEST_F(RasDial, AConnectionThatIsUpIsAdoptedAndLeftUpOfTheServiceOrWithoutForceServiceAny) {
    service.AddConnection("Office", "");
    const HRASCONN withAddress = service.AddConnection("Home", "10.2.2.2");
    TagRas& r = Ras();
    r.SetForceService(false);
    r.Dial();
    EXPECT_EQ(r.ConnHandle(), withAddress);  // the first one with an address
    r.HangUp();
    r.SetForceService(true);
    const HRASCONN existing = service.AddConnection("Provider", "10.1.1.1");
    r.Dial();
    EXPECT_TRUE(r.Connected());
    EXPECT_FALSE(r.DialledByMe());
    EXPECT_EQ(r.ConnHandle(), existing);
    r.HangUp();
    EXPECT_TRUE(service.Dials().empty());
    EXPECT_TRUE(service.HangUps().empty());
    EXPECT_EQ(disconnected, 0);
}

// The service's set-up of a case of ras_dials.txt; the entry to dial.
std::string Prepare(TScriptedDialup& Service, const Lines& Steps, TagRas& Ras) {
    std::string entry = "Provider";
    Service.StringTable.clear();
    for (const std::string& line : Steps) {
        const test::TestCase step = test::CaseOf(line);
        if (step[0] == "entry") {
            TDialScript script;
            for (size_t i = 2; i + 2 < step.size(); i += 3)
                script.push_back({static_cast<uint32_t>(step.Int(i)),
                                  static_cast<RASCONNSTATE>(step.Int(i + 1)),
                                  static_cast<DWORD>(step.Int(i + 2))});
            Service.AddEntry({.Name = entry = step[1], .Script = script});
        } else if (step[0] == "refuse") {
            Service.SetFunctionError(step[1], static_cast<DWORD>(step.Int(2)));
        } else if (step[0] == "timeout") {
            Ras.SetTimeOut(static_cast<int32_t>(step.Int(1)));
        } else if (step[0] == "error-text") {
            Service.ErrorTexts[static_cast<DWORD>(step.Int(1))] = step[2];
        } else {
            Service.StringTable[static_cast<uint32_t>(step.Int(1))] = step[2];
        }
    }
    return entry;
}

TEST_F(RasDial, ADialConnectsOrFailsHungUpAsTheServiceAnswersAndTheNextOneStartsClean) {
    for (const test::TestBlock& c : test::ReadBlocks(VEX_TEST_DIR "/testdata/ras_dials.txt")) {
        SCOPED_TRACE(c.Name);
        TagRas& r = Ras();
        r.SetService(Prepare(service, c.Parts.at(0), r));
        Lines texts;
        r.OnStatusChange = [&](TObject*, const std::string& Text) { texts.push_back(Text); };
        disconnected = 0;
        const size_t dials = service.Dials().size();
        const int64_t start = clock.TickMilliseconds();
        Lines seen{"connected"};
        try {
            r.Dial();
        } catch (const ETimedOutError&) {
            seen[0] = "timed-out";
        } catch (const ERASError& e) {
            seen = {"failed", e.what(), std::to_string(e.LastError)};
            EXPECT_EQ(r.LastError(), e.LastError);
        }
        seen.insert(seen.begin() + 1, {std::to_string(clock.TickMilliseconds() - start),
                                       std::to_string(disconnected)});
        EXPECT_EQ(seen, test::CaseOf(c.Parts.at(1).at(0)).Fields);
        texts.insert(texts.begin(), "status");
        EXPECT_EQ(texts, test::CaseOf(c.Parts.at(1).at(1)).Fields);

        if (seen[0] == "connected") {
            EXPECT_TRUE(r.DialledByMe());
            EXPECT_EQ(r.ConnHandle(), service.Dials().back().Handle);
            r.HangUp();
            r.HangUp();
            EXPECT_EQ(disconnected, 1);
        }
        EXPECT_FALSE(r.Connected());
        EXPECT_FALSE(r.DialledByMe());
        EXPECT_EQ(r.ConnHandle(), TagRas::NoConnection);
        if (service.Dials().size() > dials) {
            EXPECT_EQ(service.HangUps().back(), service.Dials().back().Handle);
        }

        for (const char* function : {"RasDialA", "RasEnumConnectionsA"})
            service.SetFunctionError(function, 0);
        r.SetService("Provider");
        r.Dial();
        EXPECT_TRUE(r.Connected());
        EXPECT_EQ(r.LastError(), 0u);
        r.HangUp();
    }
}

TEST_F(RasDial, HangUpAndCancelOrAQuitFromATimerHangsUpAndEndsTheDialWithCanceled) {
    for (const bool quit : {false, true}) {
        SCOPED_TRACE(quit ? "quit" : "cancel");
        TagRas& r = Ras();
        disconnected = 0;
        const size_t dials = service.Dials().size();
        TTimer timer(nullptr);
        timer.SetInterval(2500);
        timer.OnTimer = [&](TObject*) {
            timer.SetEnabled(false);
            if (quit)
                PostQuitMessage(0);
            else
                r.HangUpAndCancel();
        };
        EXPECT_THROW(r.Dial(), ECanceledError);
        EXPECT_TRUE(quit || r.Canceled());
        EXPECT_FALSE(r.Connected());
        EXPECT_EQ(disconnected, 1);
        ASSERT_EQ(service.Dials().size(), dials + 1);
        EXPECT_EQ(service.HangUps().back(), service.Dials().back().Handle);
        // The quit is left for the loop.
        MSG message{};
        EXPECT_EQ(PeekMessage(message, 0, WM_QUIT, WM_QUIT, PM_REMOVE) != 0, quit);
    }
}

TEST_F(RasDial, AnEmptyPasswordDialsTheStoredOneAndASetOneIsStoredOrRemovedAsAsked) {
    TagRas& r = Ras();
    r.Dial();
    EXPECT_EQ(service.Dials().back().Params.Password, "stored");
    EXPECT_EQ(std::ranges::count(service.Calls(), "RasSetEntryDialParamsA"), 0);
    r.HangUp();

    r.SetRemovePassword(false);
    r.SetPassword("new");
    r.Dial();
    EXPECT_EQ(service.Entry("Provider").Password, "new");
    r.HangUp();

    r.SetRemovePassword(true);
    r.SetPassword("newer");
    r.Dial();
    EXPECT_EQ(service.Dials().back().Params.Password, "newer");
    EXPECT_FALSE(service.Entry("Provider").PasswordStored);
    EXPECT_EQ(service.Entry("Provider").Password, "");
    r.HangUp();

    r.SetPassword(std::string(PWLEN + 1, 'x'));
    EXPECT_THROW(r.Dial(), EInvalidOperation);
    EXPECT_EQ(service.Dials().size(), 3u);
}

TEST_F(RasDial, AnErrorWhileConnectedIsRaisedByTheNextDialNotByTheHandler) {
    constexpr DWORD remoteDisconnection = 628;
    service.ErrorTexts[remoteDisconnection] = "The remote computer hung up.";
    TagRas& r = Ras();
    Lines texts;
    r.OnStatusChange = [&](TObject*, const std::string& Text) { texts.push_back(Text); };
    r.Dial();
    const HRASCONN dialled = r.ConnHandle();
    texts.clear();

    ASSERT_TRUE(PostMessage(r.WindowHandle(), r.DialEventMsg(), RASCS_Disconnected,
                            static_cast<LPARAM>(remoteDisconnection)));
    EXPECT_NO_THROW(
        ProcessMessagesUntil([&] { return !texts.empty(); }, clock.TickMilliseconds() + 10000));
    EXPECT_EQ(texts, Lines{""});
    EXPECT_EQ(r.LastError(), remoteDisconnection);

    EXPECT_THROW(r.Dial(), ERASError);
    EXPECT_EQ(service.HangUps(), std::vector<HRASCONN>{dialled});
    EXPECT_FALSE(r.Connected());
    r.Dial();
    EXPECT_TRUE(r.Connected());
}

}  // namespace
}  // namespace vex
