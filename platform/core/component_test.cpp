#include "platform/core/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/typinfo.h"
#include "tests/support/casefile.h"
#include "tests/support/errortext.h"

namespace vex {
namespace {

// Records every notification it hears and clears its reference to a removed partner, the way
// real components hold references to their neighbours. A removal is announced from the leaving
// component's base destructor, so the log names it by the base's Name.
class TProbe : public TComponent {
    VEX_CLASS(TProbe, TComponent)

public:
    TProbe(TComponent* AOwner, std::string Label, std::vector<std::string>* Log)
        : TComponent(AOwner), FLog(Log) {
        SetName(Label);
    }
    ~TProbe() override { FLog->push_back(Name() + " freed"); }

    TComponent* Partner = nullptr;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        FLog->push_back(Name() + (Operation == opInsert ? " hears +" : " hears -") +
                        AComponent->Name());
        if (Operation == opRemove && AComponent == Partner) Partner = nullptr;
    }
    void Loaded() override {
        TComponent::Loaded();
        FLog->push_back(Name() + " loaded");
    }

private:
    std::vector<std::string>* FLog;
};

TEST(ComponentFreeNotification, ReachesSiblingsAndAComponentWithAnotherOwner) {
    std::vector<std::string> log;
    TProbe formA(nullptr, "formA", &log);
    TProbe formB(nullptr, "formB", &log);
    auto* ras = new TProbe(&formA, "ras", &log);
    auto* sibling = new TProbe(&formA, "sibling", &log);
    auto* socket = new TProbe(&formB, "socket", &log);
    sibling->Partner = ras;
    socket->Partner = ras;
    ras->FreeNotification(socket);
    delete ras;
    EXPECT_EQ(sibling->Partner, nullptr);
    EXPECT_EQ(socket->Partner, nullptr);
    EXPECT_EQ(formA.ComponentCount(), 1);
    EXPECT_EQ(formA.Components(0), sibling);

    // The link is two-way: freeing the watcher first leaves nothing dangling behind.
    auto* ras2 = new TProbe(&formA, "ras2", &log);
    auto* socket2 = new TProbe(&formB, "socket2", &log);
    ras2->FreeNotification(socket2);
    delete socket2;
    log.clear();
    delete ras2;
    EXPECT_EQ(log,
              std::vector<std::string>({"ras2 freed", "sibling hears -ras2", "formA hears -ras2"}));
}

TEST(ComponentNames, AreIdentifiersUniqueUnderTheOwnerWithoutRegardToCase) {
    std::vector<std::string> log;
    TProbe probe(nullptr, "p", &log);
    EXPECT_EQ(probe.ClassName(), "TProbe");
    EXPECT_TRUE(probe.InheritsFrom("tcomponent"));
    EXPECT_TRUE(probe.InheritsFrom("TObject"));
    EXPECT_FALSE(probe.InheritsFrom("TStrings"));
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("edServer1");
    EXPECT_EQ(owner.FindComponent("EDSERVER1"), a);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    EXPECT_THROW(b->SetName("EdServer1"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    for (const char* bad : {"1abc", "a b", "a-b", "\xe9t\xe9"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(b->SetName(bad), EComponentError);
    }
    a->SetName("");
    b->SetName("");  // any number of components may be unnamed
    EXPECT_THROW(owner.Components(2), EListError);
    EXPECT_THROW(owner.Components(-1), EListError);
    EXPECT_EQ(test::ErrorText<EConvertError>([&] { a->Assign(b); }),
              "Cannot assign a TComponent to a TComponent");
    EXPECT_THROW(a->Assign(nullptr), EConvertError);
}

class TBase : public TComponent {
    VEX_CLASS(TBase, TComponent)

public:
    using TComponent::TComponent;
    int32_t Left() const { return FLeft; }
    void SetLeft(int32_t V) { FLeft = V; }
    int16_t Small() const { return FSmall; }
    void SetSmall(int16_t V) { FSmall = V; }
    int32_t Count() const { return 3; }

private:
    int32_t FLeft = 0;
    int16_t FSmall = 0;
};

class TDerived : public TBase {
    VEX_CLASS(TDerived, TBase)

public:
    using TBase::TBase;
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& V) { FCaption = V; }
    char Letter() const { return FLetter; }
    void SetLetter(char V) { FLetter = V; }
    double Ratio() const { return FRatio; }
    void SetRatio(double V) { FRatio = V; }
    TBase* Buddy() const { return FBuddy; }
    void SetBuddy(TBase* V) { FBuddy = V; }

private:
    std::string FCaption;
    char FLetter = 'a';
    double FRatio = 0;
    TBase* FBuddy = nullptr;
};

const bool Published = [] {
    RegisterProperties(
        TBase::StaticClassInfo(),
        {OrdinalProperty("Left", tkInteger, "Integer", &TBase::Left, &TBase::SetLeft),
         OrdinalProperty("Small", tkInteger, "SmallInt", &TBase::Small, &TBase::SetSmall),
         OrdinalProperty("Count", tkInteger, "Integer", &TBase::Count)});
    using D = TDerived;
    RegisterProperties(
        D::StaticClassInfo(),
        {StringProperty("Caption", &D::Caption, &D::SetCaption),
         OrdinalProperty("Letter", tkChar, "Char", &D::Letter, &D::SetLetter),
         FloatProperty("Ratio", "Double", &D::Ratio, &D::SetRatio),
         ClassProperty("Buddy", "TBase", &D::Buddy), MethodProperty("OnClick", "TNotifyEvent")});
    return true;
}();

TEST(ComponentLoading, EndLoadingCallsLoadedOnTheRootThenInJoiningOrder) {
    std::vector<std::string> log;
    TProbe form(nullptr, "form", &log);
    form.BeginLoading();
    auto* a = new TProbe(&form, "a", &log);
    delete new TProbe(&form, "gone", &log);
    new TProbe(&form, "b", &log);
    EXPECT_TRUE(a->ComponentState().Contains(csLoading));
    EXPECT_FALSE(a->ComponentState().Contains(csDesigning));
    log.clear();
    form.EndLoading();
    form.EndLoading();  // a second end has nothing left to do
    EXPECT_EQ(log, std::vector<std::string>({"form loaded", "a loaded", "b loaded"}));
    EXPECT_FALSE(a->ComponentState().Contains(csLoading));
}

TEST(TypInfo, PropertiesAreFoundByNameThroughTheClassChainAndOnlyRegisteredOnce) {
    TDerived d(nullptr);
    const TPropInfo* left = GetPropInfo(d, "LEFT");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->Name, "Left");
    EXPECT_EQ(GetPropInfo(TDerived::StaticClassInfo(), "Left"), left);
    EXPECT_EQ(GetPropInfo(TBase::StaticClassInfo(), "Caption"), nullptr)
        << "a parent does not see its descendants' properties";
    EXPECT_EQ(GetPropInfo(d, ""), nullptr);
    EXPECT_EQ(GetPropInfo(d, "OnClick")->Kind, tkMethod);
    TBase buddy(nullptr);
    d.SetBuddy(&buddy);
    EXPECT_EQ(GetObjectProp(d, *GetPropInfo(d, "Buddy")), &buddy);
    EXPECT_THROW(RegisterProperties(TBase::StaticClassInfo(),
                                    {OrdinalProperty("left", tkInteger, "Integer", &TBase::Left)}),
                 EPropertyError);
}

TEST(TypInfo, ReadsAndWritesTheObjectOrRaisesInsteadOfCorruptingIt) {
    TDerived d(nullptr);
    TComponent stranger(nullptr);
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/typinfo.txt")) {
        SCOPED_TRACE(c.Where);
        TObject& object = c[1] == "d" ? static_cast<TObject&>(d) : stranger;
        const TPropInfo& info = *GetPropInfo(d, c[2]);
        std::string got;
        const std::string error = test::ErrorText<Exception>([&] {
            if (c[0] == "SetOrd") SetOrdProp(object, info, c.Int(3));
            if (c[0] == "SetStr") SetStrProp(object, info, c[3]);
            if (c[0] == "SetFloat") SetFloatProp(object, info, std::stod(c[3]));
            if (c[0] == "GetOrd") got = std::to_string(GetOrdProp(object, info));
            if (c[0] == "GetStr") got = GetStrProp(object, info);
            if (c[0] == "GetFloat") got = std::to_string(GetFloatProp(object, info));
        });
        EXPECT_EQ(error == "no error" ? got : error, c[4]);
    }
    EXPECT_EQ(d.Left(), -7);  // the object itself changed
    EXPECT_EQ(d.Letter(), '\xe9');
}

}  // namespace
}  // namespace vex
