#include "components/entry/OBJMGR2.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/core/stringlist.h"
#include "platform/core/stringutils.h"
#include "platform/core/typinfo.h"
#include "platform/gfx/colors.h"
#include "platform/gfx/cursors.h"
#include "platform/registry/memoryregistrystore.h"
#include "platform/registry/registry.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

enum TTestAlign { alNone, alTop, alClient };

// A form-like component with a published property of every kind the manager must tell apart;
// each property reads and writes one field.
class TTestForm : public TComponent {
    VEX_CLASS(TTestForm, TComponent)

public:
    using TComponent::TComponent;
    template <auto Field>
    using FieldType = std::remove_cvref_t<decltype(std::declval<TTestForm&>().*Field)>;
    template <auto Field>
    FieldType<Field> Get() const {
        return this->*Field;
    }
    template <auto Field>
    void Set(FieldType<Field> Value) {
        this->*Field = Value;
    }
    TStringList* GetLines() const { return Lines.get(); }

    int32_t Top = 1, Left = 2, Width = 3, Height = 4;
    TColor Color = clBtnFace;
    TCursor Cursor = crDefault;
    std::string Caption = "Main";
    char Accel = 'M';
    TTestAlign Align = alNone;
    uint8_t Style = 0;
    double Ratio = 0.5;
    std::unique_ptr<TStringList> Lines = std::make_unique<TStringList>();
};

template <auto Field>
TPropInfo Ordinal(const char* Name, TTypeKind Kind, const char* TypeName) {
    return OrdinalProperty(Name, Kind, TypeName, &TTestForm::Get<Field>, &TTestForm::Set<Field>);
}

const bool TestFormPublished = [] {
    using F = TTestForm;
    RegisterProperties(F::StaticClassInfo(),
                       {Ordinal<&F::Top>("Top", tkInteger, "Integer"),
                        Ordinal<&F::Left>("Left", tkInteger, "Integer"),
                        Ordinal<&F::Width>("Width", tkInteger, "Integer"),
                        Ordinal<&F::Height>("Height", tkInteger, "Integer"),
                        Ordinal<&F::Color>("Color", tkInteger, "TColor"),
                        Ordinal<&F::Cursor>("Cursor", tkInteger, "TCursor"),
                        Ordinal<&F::Accel>("Accel", tkChar, "Char"),
                        Ordinal<&F::Align>("Align", tkEnumeration, "TAlign"),
                        Ordinal<&F::Style>("Style", tkSet, "TFontStyles"),
                        StringProperty("Caption", &F::Get<&F::Caption>, &F::Set<&F::Caption>),
                        FloatProperty("Ratio", "Double", &F::Get<&F::Ratio>, &F::Set<&F::Ratio>),
                        ClassProperty("Lines", "TStrings", &F::GetLines),
                        MethodProperty("OnClick", "TNotifyEvent")});
    return true;
}();

const std::string Key = "Software\\Quentara Corporation\\Vexbane\\10";

// One scenario of testdata/objmgr.txt: a fresh registry and form, and the steps run on them.
class Scenario {
public:
    Scenario() {
        Form.SetName("frmMain");
        Mgr = new TObjMgr(&Form);
        (new TTestForm(&Form))->SetName("FRMMAINPANEL");
        (new TTestForm(&Form))->SetName("Fmain");
    }

    void Run(const test::TestCase& Step) {
        const std::string& verb = Step[0];
        TRegistry reg;
        if (verb == "item") {
            Mgr->Items()->Add(Step[1]);
        } else if (verb == "load" || verb == "save") {
            verb == "load" ? Mgr->Load() : Mgr->Save();
        } else if (verb == "lone") {
            TObjMgr lone(nullptr);
            lone.SetItems(Mgr->Items());
            lone.Load();
            lone.Save();
        } else if (verb == "set" || verb == "form") {
            TComponent& target = Step[1] == Form.Name() ? Form : *Form.FindComponent(Step[1]);
            const TPropInfo& prop = *GetPropInfo(target, Step[2]);
            if (verb == "form") {
                EXPECT_EQ(Read(target, prop), Step[3]);
            } else if (prop.Kind == tkLString) {
                SetStrProp(target, prop, Step[3]);
            } else {
                const int64_t value =
                    prop.Kind == tkChar ? uint8_t(Step[3].at(0)) : int32_t(Step.Int(3));
                SetOrdProp(target, prop, value);
            }
        } else if (verb == "store" || verb == "storeint") {
            ASSERT_TRUE(reg.OpenKey(Key, true));
            verb == "store" ? reg.WriteString(Step[1], Step[2])
                            : reg.WriteInteger(Step[1], int32_t(Step.Int(2)));
        } else if (verb == "stored") {
            const bool present = reg.OpenKeyReadOnly(Key) && reg.ValueExists(Step[1]);
            EXPECT_TRUE(!present || reg.GetDataType(Step[1]) == rdString) << "every value is text";
            EXPECT_EQ(present ? reg.ReadString(Step[1]) : "<missing>", Step[2]);
        } else {
            ASSERT_EQ(verb, "nokey");
            EXPECT_FALSE(reg.KeyExists(Key));
        }
    }

private:
    // The property's value as the case file writes it.
    static std::string Read(const TComponent& Target, const TPropInfo& Prop) {
        if (Prop.Kind == tkLString) return GetStrProp(Target, Prop);
        if (Prop.Kind == tkFloat) return (std::ostringstream() << GetFloatProp(Target, Prop)).str();
        if (Prop.Kind == tkChar) return std::string(1, char(GetOrdProp(Target, Prop)));
        return IntToStr(int32_t(GetOrdProp(Target, Prop)));
    }

    TRegistryStoreOverride FStore{std::make_shared<TMemoryRegistryStore>()};
    TTestForm Form{nullptr};
    TObjMgr* Mgr = nullptr;  // owned by Form
};

TEST(ObjMgr, RunsTheScenariosOfTheCaseFile) {
    std::unique_ptr<Scenario> scenario;
    std::string name;
    for (const test::TestCase& step : test::ReadCases(VEX_TEST_DIR "/testdata/objmgr.txt")) {
        if (step[0] == "scenario") {
            name = step[1];
            scenario.reset();  // its registry is put back before the next one takes its place
            scenario = std::make_unique<Scenario>();
            continue;
        }
        SCOPED_TRACE(step.Where + " " + name);
        scenario->Run(step);
    }
}

}  // namespace
}  // namespace vex
