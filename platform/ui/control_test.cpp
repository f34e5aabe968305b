#include "platform/ui/control.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/ui/controlmessages.h"
#include "platform/ui/mousetracking.h"
#include "platform/ui/ui_testsupport.h"
#include "platform/ui/wincontrol.h"

namespace vex {
namespace {

// Controls that note the framework messages they receive.
template <class TBase>
class TNoting : public TBase {
public:
    using TBase::TBase;
    void WndProc(TMessage& Message) override {
        if (Message.Msg >= CM_BASE) Seen.push_back(Message.Msg);
        TBase::WndProc(Message);
    }
    void DefaultHandler(TMessage& Message) override {
        Unhandled.push_back(Message.Msg);
        TBase::DefaultHandler(Message);
    }
    std::vector<UINT> Seen;
    std::vector<UINT> Unhandled;
};
using TNotingControl = TNoting<TControl>;
using TNotingWinControl = TNoting<TWinControl>;

// A parent with a windowed and a plain child, every one owned by the parent.
struct TFamily {
    TNotingWinControl* Parent = new TNotingWinControl(nullptr);
    TNotingWinControl* Panel = new TNotingWinControl(Parent);
    TNotingControl* Label = new TNotingControl(Parent);
    TFamily() {
        Panel->SetParent(Parent);
        Label->SetParent(Parent);
        Parent->Seen.clear();
        Panel->Seen.clear();
        Label->Seen.clear();
    }
    ~TFamily() { delete Parent; }
};

// Each inherited property: a change on the parent reaches a child that takes it from its parent,
// a change on the child itself ends that, and switching the link back takes the parent's value.
struct TInheritedProperty {
    const char* Name;
    std::function<void(TControl&, int)> Set;
    std::function<int(TControl&)> Get;
    std::function<bool(TControl&)> FromParent;
    std::function<void(TControl&, bool)> SetFromParent;
};

std::vector<TInheritedProperty> InheritedProperties() {
    return {
        {"Color", [](TControl& C, int V) { C.SetColor(V); }, [](TControl& C) { return C.Color(); },
         [](TControl& C) { return C.ParentColor(); },
         [](TControl& C, bool V) { C.SetParentColor(V); }},
        {"Font", [](TControl& C, int V) { C.Font().SetHeight(-V); },
         [](TControl& C) { return -C.Font().Height(); }, [](TControl& C) { return C.ParentFont(); },
         [](TControl& C, bool V) { C.SetParentFont(V); }},
        {"ShowHint", [](TControl& C, int V) { C.SetShowHint(V != 0); },
         [](TControl& C) { return C.ShowHint() ? 1 : 0; },
         [](TControl& C) { return C.ParentShowHint(); },
         [](TControl& C, bool V) { C.SetParentShowHint(V); }},
        {"Ctl3D", [](TControl& C, int V) { dynamic_cast<TWinControl&>(C).SetCtl3D(V != 0); },
         [](TControl& C) { return dynamic_cast<TWinControl&>(C).Ctl3D() ? 1 : 0; },
         [](TControl& C) { return dynamic_cast<TWinControl&>(C).ParentCtl3D(); },
         [](TControl& C, bool V) { dynamic_cast<TWinControl&>(C).SetParentCtl3D(V); }},
    };
}

TEST(ControlProperties, ChildrenFollowTheirParentUntilGivenTheirOwn) {
    for (const TInheritedProperty& p : InheritedProperties()) {
        SCOPED_TRACE(p.Name);
        TFamily family;
        TWinControl& inner = *new TWinControl(family.Parent);
        inner.SetParent(family.Panel);
        const bool windowedOnly = std::string(p.Name) == "Ctl3D";
        TControl& child = windowedOnly ? static_cast<TControl&>(inner) : *family.Label;

        // A value the parent does not have yet, and another one.
        const int theirs = p.Get(*family.Parent) == 1 ? 0 : 1;
        const int own = 1 - theirs;
        p.Set(*family.Parent, theirs);
        EXPECT_EQ(p.Get(child), theirs);
        EXPECT_EQ(p.Get(inner), theirs) << "a grandchild follows through its parent";
        EXPECT_FALSE(p.FromParent(*family.Parent));

        p.Set(child, own);
        EXPECT_FALSE(p.FromParent(child));
        p.Set(*family.Parent, own);
        p.Set(*family.Parent, theirs);
        EXPECT_EQ(p.Get(child), own) << "a child with its own value keeps it";

        p.SetFromParent(child, true);
        EXPECT_EQ(p.Get(child), theirs);
        EXPECT_TRUE(p.FromParent(child));
    }
}

TEST(ControlProperties, AControlTakesItsNewParentsLookWhenMoved) {
    TWinControl first(nullptr), second(nullptr);
    first.SetColor(clRed);
    second.SetColor(clBlue);
    second.Font().SetName("Vex Fixed");
    auto* label = new TControl(nullptr);
    label->SetParent(&first);
    EXPECT_EQ(label->Color(), clRed);
    label->SetParent(&second);
    EXPECT_EQ(label->Color(), clBlue);
    EXPECT_EQ(label->Font().Name(), "Vex Fixed");
    EXPECT_EQ(first.ControlCount(), 0);
    EXPECT_EQ(second.Controls(0), label);
}

// What each change sends: to the control itself and to a child of a windowed control.
TEST(ControlMessages, EachChangeSendsItsNotification) {
    struct TCase {
        const char* Name;
        std::function<void(TFamily&)> Change;
        std::vector<UINT> ToParent;
        std::vector<UINT> ToLabel;
        std::vector<UINT> ToPanel;
    };
    const std::vector<TCase> cases = {
        {"enabled", [](TFamily& F) { F.Parent->SetEnabled(false); }, {CM_ENABLEDCHANGED}, {}, {}},
        {"visible", [](TFamily& F) { F.Label->SetVisible(false); }, {}, {CM_VISIBLECHANGED}, {}},
        {"colour",
         [](TFamily& F) { F.Parent->SetColor(clRed); },
         {CM_COLORCHANGED},
         {CM_PARENTCOLORCHANGED, CM_COLORCHANGED},
         {CM_PARENTCOLORCHANGED, CM_COLORCHANGED}},
        {"font",
         [](TFamily& F) { F.Parent->Font().SetHeight(-20); },
         {CM_FONTCHANGED},
         {CM_PARENTFONTCHANGED, CM_FONTCHANGED},
         {CM_PARENTFONTCHANGED, CM_FONTCHANGED}},
        {"ctl3d",
         [](TFamily& F) { F.Parent->SetCtl3D(false); },
         {CM_CTL3DCHANGED},
         {CM_PARENTCTL3DCHANGED},
         {CM_PARENTCTL3DCHANGED, CM_CTL3DCHANGED}},
        {"show hint",
         [](TFamily& F) { F.Parent->SetShowHint(true); },
         {CM_SHOWHINTCHANGED},
         {CM_PARENTSHOWHINTCHANGED, CM_SHOWHINTCHANGED},
         {CM_PARENTSHOWHINTCHANGED, CM_SHOWHINTCHANGED}},
        {"text", [](TFamily& F) { F.Label->SetText("A"); }, {}, {CM_TEXTCHANGED}, {}},
        {"same text", [](TFamily& F) { F.Label->SetText(""); }, {}, {}, {}},
        {"cursor", [](TFamily& F) { F.Label->SetCursor(crHandPoint); }, {}, {CM_CURSORCHANGED}, {}},
        {"tab stop", [](TFamily& F) { F.Panel->SetTabStop(true); }, {}, {}, {CM_TABSTOPCHANGED}},
        {"unchanged colour", [](TFamily& F) { F.Parent->SetColor(clWindow); }, {}, {}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFamily family;
        c.Change(family);
        EXPECT_EQ(family.Parent->Seen, c.ToParent);
        EXPECT_EQ(family.Label->Seen, c.ToLabel);
        EXPECT_EQ(family.Panel->Seen, c.ToPanel);
    }
}

TEST(ControlMessages, UnknownFrameworkQuestionsAreAnsweredWithZero) {
    TFamily family;
    for (TControl* c :
         {static_cast<TControl*>(family.Label), static_cast<TControl*>(family.Panel)}) {
        EXPECT_EQ(c->Perform(CM_DESIGNHITTEST, 0, MAKELONG(1, 1)), 0);
        EXPECT_EQ(c->Perform(CM_GETDATALINK, 0, 0), 0);
        EXPECT_EQ(c->Perform(CM_HITTEST, 0, 0), HTCLIENT);
    }
}

TEST(ControlMessages, ADisabledControlGetsNoInput) {
    TNotingControl control(nullptr);
    const std::vector<UINT> input = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_MOUSEWHEEL,
                                     WM_KEYDOWN,     WM_CHAR,      WM_SYSKEYDOWN};
    control.SetEnabled(false);
    for (UINT msg : input)
        control.Perform(msg, 0, 0);
    control.Perform(WM_TIMER, 0, 0);
    EXPECT_EQ(control.Unhandled, std::vector<UINT>{WM_TIMER});
    control.Unhandled.clear();
    control.SetEnabled(true);
    for (UINT msg : input)
        control.Perform(msg, 0, 0);
    EXPECT_EQ(control.Unhandled, input);
}

// A control whose text is not the stored one: what it answers to WM_GETTEXT is its text.
TEST(ControlText, GoesThroughTheTextMessages) {
    class TShouting : public TControl {
    public:
        using TControl::TControl;
        void DefaultHandler(TMessage& Message) override {
            TControl::DefaultHandler(Message);
            if (Message.Msg == WM_GETTEXT && Message.LParam != 0)
                for (char* p = reinterpret_cast<char*>(Message.LParam); *p != '\0'; ++p)
                    *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
        }
    } control(nullptr);
    control.SetCaption("quiet");
    EXPECT_EQ(control.Text(), "QUIET");
    EXPECT_EQ(control.Caption(), "QUIET");

    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(control.Perform(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_STREQ(small, "QU");
    EXPECT_EQ(control.Perform(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);
    EXPECT_EQ(control.Perform(WM_GETTEXT, 5, 0), 0);
}

TEST(ControlReferences, APopupMenuIsForgottenWhenFreed) {
    TControl control(nullptr);
    auto* menu = new TComponent(nullptr);
    control.SetPopupMenu(menu);
    EXPECT_EQ(control.PopupMenu(), menu);
    delete menu;
    EXPECT_EQ(control.PopupMenu(), nullptr);
}

TEST(ControlTree, RefusesAParentInsideTheControl) {
    TFamily family;
    EXPECT_THROW(family.Parent->SetParent(family.Parent), EInvalidOperation);
    EXPECT_THROW(family.Parent->SetParent(family.Panel), EInvalidOperation);
    EXPECT_EQ(family.Parent->Parent(), nullptr);
    EXPECT_EQ(family.Panel->Parent(), family.Parent);
}

TEST(ControlTree, FreeingAParentFreesItsChildrenWhoeverOwnsThem) {
    TComponent owner(nullptr);
    auto* panel = new TWinControl(&owner);
    auto* label = new TControl(&owner);
    auto* inner = new TWinControl(&owner);
    label->SetParent(panel);
    inner->SetParent(panel);
    const std::weak_ptr<const void> labelLife = label->LifeToken();
    delete panel;
    EXPECT_TRUE(labelLife.expired());
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ControlTree, ZOrderMovesAControlAmongItsKind) {
    TWinControl parent(nullptr);
    std::vector<TControl*> labels;
    for (int i = 0; i < 3; ++i) {
        labels.push_back(new TControl(&parent));
        labels.back()->SetParent(&parent);
    }
    auto* panel = new TWinControl(&parent);
    panel->SetParent(&parent);
    labels[0]->BringToFront();
    EXPECT_EQ(parent.Controls(2), labels[0]) << "a plain control stays below the windowed ones";
    EXPECT_EQ(parent.Controls(3), panel);
    labels[2]->SendToBack();
    EXPECT_EQ(parent.Controls(0), labels[2]);
    EXPECT_EQ(parent.Controls(1), labels[1]);
    EXPECT_THROW(parent.Controls(4), EListError);
}

TEST(ControlTree, TabOrderStaysWithinTheList) {
    TWinControl parent(nullptr);
    std::vector<TWinControl*> edits;
    for (int i = 0; i < 3; ++i) {
        edits.push_back(new TWinControl(&parent));
        edits.back()->SetParent(&parent);
    }
    EXPECT_EQ(edits[2]->TabOrder(), 2);
    edits[2]->SetTabOrder(-5);
    EXPECT_EQ(parent.TabList(), (std::vector<TWinControl*>{edits[2], edits[0], edits[1]}));
    edits[2]->SetTabOrder(99);
    EXPECT_EQ(edits[2]->TabOrder(), 2);
    EXPECT_EQ(parent.TabOrder(), -1);
}

TEST(ControlHitTest, FindsTheTopmostControlThatWantsThePoint) {
    class TTransparentToMouse : public TControl {
    public:
        using TControl::TControl;
        void CMHitTest(TMessage& Message) override { Message.Result = HTNOWHERE; }
    };
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    auto add = [&](TControl* C, TRect R) {
        C->SetBoundsRect(R);
        C->SetParent(&parent);
        return C;
    };
    TControl* bottom = add(new TControl(&parent), Rect(0, 0, 50, 50));
    TControl* top = add(new TControl(&parent), Rect(10, 10, 30, 30));
    TControl* glass = add(new TTransparentToMouse(&parent), Rect(0, 0, 100, 100));
    TControl* panel = add(new TWinControl(&parent), Rect(60, 60, 90, 90));
    (void)glass;
    EXPECT_EQ(parent.ControlAtPos(Point(15, 15), false), top);
    EXPECT_EQ(parent.ControlAtPos(Point(5, 5), false), bottom);
    EXPECT_EQ(parent.ControlAtPos(Point(30, 30), false), bottom) << "right and bottom excluded";
    EXPECT_EQ(parent.ControlAtPos(Point(70, 70), false), nullptr);
    EXPECT_EQ(parent.ControlAtPos(Point(70, 70), false, true), panel);
    top->SetEnabled(false);
    EXPECT_EQ(parent.ControlAtPos(Point(15, 15), false), bottom);
    EXPECT_EQ(parent.ControlAtPos(Point(15, 15), true), top);
    top->Hide();
    EXPECT_EQ(parent.ControlAtPos(Point(15, 15), true), bottom);
}

TEST(ControlAlignment, TurningASideBarKeepsItsThickness) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 80);
    auto* bar = new TControl(&parent);
    bar->SetBounds(0, 0, 12, 40);
    bar->SetParent(&parent);
    bar->SetAlign(alLeft);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 0, 12, 80));
    bar->SetAlign(alTop);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 0, 100, 12));
    bar->SetAlign(alClient);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 0, 100, 80));
}

TEST(ControlAlignment, FollowsTheParentsSizeAndWaitsWhileHeldBack) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 80);
    auto* client = new TControl(&parent);
    client->SetParent(&parent);
    client->SetAlign(alClient);
    parent.SetBounds(0, 0, 60, 40);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 60, 40));

    parent.DisableAlign();
    auto* top = new TControl(&parent);
    top->SetHeight(10);
    top->SetParent(&parent);
    top->SetAlign(alTop);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 60, 40));
    parent.EnableAlign();
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 60, 10));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 10, 60, 40));

    TComponent root(nullptr);
    root.BeginLoading();
    auto* loading = new TWinControl(&root);
    loading->SetBounds(0, 0, 30, 30);
    auto* filler = new TControl(loading);
    filler->SetParent(loading);
    filler->SetAlign(alClient);
    EXPECT_EQ(filler->BoundsRect(), Rect(0, 0, 0, 0)) << "nothing is placed while loading";
    root.EndLoading();
    EXPECT_EQ(filler->BoundsRect(), Rect(0, 0, 30, 30));
}

TEST(ControlAlignment, KeepsToAClientAreaAControlNarrows) {
    class TInset : public TWinControl {
    public:
        using TWinControl::TWinControl;
        TRect GetClientRect() const override {
            TRect r = TWinControl::GetClientRect();
            InflateRect(r, -5, -5);
            return r;
        }
    } parent(nullptr);
    parent.SetBounds(0, 0, 100, 80);
    auto* client = new TControl(&parent);
    client->SetParent(&parent);
    client->SetAlign(alClient);
    EXPECT_EQ(client->BoundsRect(), Rect(5, 5, 95, 75));
}

TEST(ControlBounds, StayMeaningfulForHostileValues) {
    TControl control(nullptr);
    control.SetBounds(-5, -6, -7, -8);
    EXPECT_EQ(control.BoundsRect(), Rect(-5, -6, -5, -6)) << "a negative size is empty";
    control.SetClientWidth(20);
    EXPECT_EQ(control.Width(), 20);
    control.SetBounds(INT32_MAX - 5, INT32_MIN, 100, INT32_MAX);
    EXPECT_EQ(control.BoundsRect(), Rect(INT32_MAX - 5, INT32_MIN, INT32_MAX, -1));
    control.SetClientHeight(INT32_MAX);
    EXPECT_EQ(control.Height(), INT32_MAX);
    TWinControl parent(nullptr);
    parent.SetBounds(INT32_MAX, INT32_MAX, 10, 10);
    control.SetParent(&parent);
    EXPECT_EQ(control.ClientOrigin(), Point(INT32_MAX, -1));
    control.SetParent(nullptr);
}

// Controls at the ends of the 32-bit range: hit tests, conversions and alignment keep to the
// range instead of overflowing.
TEST(ControlBounds, FarAwayControlsKeepTheArithmeticInRange) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 100, 100);
    auto* farAway = new TControl(&parent);
    farAway->SetBoundsRect(Rect(INT32_MIN, INT32_MIN, 10, 10));
    EXPECT_EQ(farAway->BoundsRect(), Rect(INT32_MIN, INT32_MIN, -1, -1));
    farAway->SetParent(&parent);
    EXPECT_EQ(parent.ControlAtPos(Point(50, 50), true), nullptr);
    EXPECT_EQ(parent.ControlAtPos(Point(-5, -5), true), farAway);
    EXPECT_EQ(farAway->ClientToScreen(Point(-100, -100)), Point(INT32_MIN, INT32_MIN));
    EXPECT_EQ(farAway->ScreenToClient(Point(100, 100)), Point(INT32_MAX, INT32_MAX));

    for (TAlign side : {alBottom, alRight}) {
        SCOPED_TRACE(side);
        std::vector<TControl*> bars;
        for (int32_t at : {INT32_MAX - 5, INT32_MAX - 6}) {
            bars.push_back(new TControl(&parent));
            bars.back()->SetBounds(at, at, INT32_MAX, INT32_MAX);
            bars.back()->SetParent(&parent);
        }
        for (TControl* bar : bars)
            bar->SetAlign(side);
        for (TControl* bar : bars)
            EXPECT_EQ(side == alBottom ? bar->Width() : bar->Height(), 100);
        for (TControl* bar : bars)
            delete bar;
    }
}

// A handler that frees a sibling while the parent tells its children of a change.
TEST(ControlRemoval, ABroadcastSurvivesAChildFreedByAnother) {
    class TFreesOnColour : public TControl {
    public:
        using TControl::TControl;
        TControl* Victim = nullptr;

    protected:
        void CMParentColorChanged(TMessage& Message) override {
            delete Victim;
            Victim = nullptr;
            TControl::CMParentColorChanged(Message);
        }
    };
    TWinControl parent(nullptr);
    auto* killer = new TFreesOnColour(&parent);
    killer->SetParent(&parent);
    auto* victim = new TControl(&parent);
    victim->SetParent(&parent);
    killer->Victim = victim;
    parent.SetColor(clRed);
    EXPECT_EQ(parent.ControlCount(), 1);
    EXPECT_EQ(killer->Color(), clRed);
}

// A plain control that frees a chosen control when it gets a chosen message.
class TFreeingOn : public TControl {
public:
    using TControl::TControl;
    UINT On = 0;
    TControl* Victim = nullptr;
    void WndProc(TMessage& Message) override {
        if (Message.Msg == On && Victim != nullptr) {
            delete std::exchange(Victim, nullptr);  // may be this control
            return;
        }
        TControl::WndProc(Message);
    }
};

// Handlers that free the control they were called for, its parent or the control being moved,
// in the middle of the framework's own work: whoever is freed goes, and nothing touches it after.
TEST(ControlRemoval, HandlersMayFreeTheControlOrItsParentMidway) {
    struct TCase {
        const char* Name;
        // Sets the scene under Parent, then acts; answers the life of the control to be gone.
        std::function<std::weak_ptr<const void>(TWinControl& Parent)> Act;
    };
    const auto freeingOn = [](TWinControl& Parent, UINT Msg, bool FreesParent) {
        auto* c = new TFreeingOn(nullptr);
        c->On = Msg;
        c->Victim = FreesParent ? static_cast<TControl*>(&Parent) : c;
        return c;
    };
    const auto arrivesAndGoesOn = [&](UINT Msg) {
        return [&freeingOn, Msg](TWinControl& P) {
            TFreeingOn* c = freeingOn(P, Msg, false);
            const auto life = c->LifeToken();
            c->SetParent(&P);
            return life;
        };
    };
    const std::vector<TCase> cases = {
        {"hidden, freed by its change of visibility",
         [&](TWinControl& P) {
             TFreeingOn* c = freeingOn(P, CM_VISIBLECHANGED, false);
             c->SetParent(&P);
             const auto life = c->LifeToken();
             c->Hide();
             return life;
         }},
        {"moved in, freed by the parent's colour", arrivesAndGoesOn(CM_PARENTCOLORCHANGED)},
        {"moved in, freed by the parent's font", arrivesAndGoesOn(CM_PARENTFONTCHANGED)},
        {"moved in, frees its new parent",
         [&](TWinControl& P) {
             const auto life = P.LifeToken();
             freeingOn(P, CM_PARENTSHOWHINTCHANGED, true)->SetParent(&P);
             return life;
         }},
        {"aligned, its resize frees the parent",
         [](TWinControl& P) {
             auto* c = new TControl(&P);
             c->SetParent(&P);
             c->SetAlign(alClient);
             c->OnResize = [&P](TObject*) { delete &P; };
             const auto life = P.LifeToken();
             P.SetBounds(0, 0, 50, 50);
             return life;
         }},
        {"moving out, a sibling's resize frees it",
         [](TWinControl& P) {
             auto* moving = new TControl(&P);
             moving->SetBounds(0, 0, 10, 10);
             moving->SetParent(&P);
             moving->SetAlign(alTop);
             auto* below = new TControl(&P);
             below->SetBounds(0, 20, 10, 10);
             below->SetParent(&P);
             below->SetAlign(alTop);
             below->OnResize = [moving](TObject*) { delete moving; };
             const auto life = moving->LifeToken();
             TWinControl elsewhere(nullptr);
             moving->SetParent(&elsewhere);
             EXPECT_EQ(elsewhere.ControlCount(), 0);
             return life;
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* parent = new TWinControl(nullptr);
        parent->SetBounds(0, 0, 100, 100);
        const std::weak_ptr<const void> parentLife = parent->LifeToken();
        EXPECT_TRUE(c.Act(*parent).expired());
        if (!parentLife.expired()) delete parent;
    }
}

// A watch sees its own control freed in its scope, and no other, whichever order the scopes end
// in.
TEST(ControlRemoval, AWatchSeesItsControlFreedWhileItLasts) {
    auto* first = new TControl(nullptr);
    auto* second = new TControl(nullptr);
    {
        const TControlWatch onFirst(*first);
        const TControlWatch onSecond(*second);
        const TControlWatch onFirstAgain(*first);
        delete first;
        EXPECT_TRUE(onFirst.Expired());
        EXPECT_TRUE(onFirstAgain.Expired());
        EXPECT_FALSE(onSecond.Expired());
    }
    auto older = std::make_unique<TControlWatch>(*second);
    auto newer = std::make_unique<TControlWatch>(*second);
    older.reset();
    EXPECT_FALSE(newer->Expired());
    delete second;
    EXPECT_TRUE(newer->Expired());
    newer.reset();
    auto* third = new TControl(nullptr);
    const TControlWatch onThird(*third);
    delete third;
    EXPECT_TRUE(onThird.Expired());
}

TEST(ControlRemoval, MouseReferencesAreClearedWhenAControlGoesAway) {
    struct TCase {
        const char* Name;
        std::function<void(TWinControl& Panel, TControl*& Label)> Remove;
    };
    const std::vector<TCase> cases = {
        {"freed", [](TWinControl&, TControl*& L) { delete L; }},
        {"hidden", [](TWinControl&, TControl*& L) { L->Hide(); }},
        {"taken off its parent", [](TWinControl&, TControl*& L) { L->SetParent(nullptr); }},
        {"parent hidden", [](TWinControl& P, TControl*&) { P.Hide(); }},
        {"parent freed", [](TWinControl& P, TControl*&) { delete &P; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        // Holding the mouse takes the capture of a window: the controls are in a shown form.
        test::TShownForm shown;
        TWinControl& root = *shown.Form;
        auto* panel = new TWinControl(&root);
        panel->SetParent(&root);
        TControl* label = new TNotingControl(&root);
        label->SetParent(panel);
        static_cast<TNotingControl*>(label)->Seen.clear();
        SetCaptureControl(label);
        SetMouseControl(label);
        EXPECT_EQ(static_cast<TNotingControl*>(label)->Seen, std::vector<UINT>{CM_MOUSEENTER});
        c.Remove(*panel, label);
        EXPECT_EQ(GetCaptureControl(), nullptr);
        EXPECT_EQ(MouseControl(), nullptr);
        SetMouseControl(&root);  // no CM_MOUSELEAVE for the one that went
        SetMouseControl(nullptr);
        SetCaptureControl(nullptr);
    }
}

}  // namespace
}  // namespace vex
