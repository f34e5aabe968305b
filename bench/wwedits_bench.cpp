// What six bound edit controls cost a walk through a table: Next over 100,000 contacts with a
// masked edit, a combo edit, a combo box mapping 1,000 codes and three date/time pickers bound
// to the record and taking each one's values, against the same walk with no control bound, in
// the same run. Each side is the best of its passes; the ratio is a counter and printed at the
// end.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/besttime.h"
#include "dataaware/edits/wwdbcomb.h"
#include "dataaware/edits/wwdbdatetimepicker.h"
#include "dataaware/edits/wwdbedit.h"
#include "dataaware/edits/wwdotdot.h"
#include "dataaware/edits/wweditsfixture_testsupport.h"
#include "platform/ui/form.h"
#include "platform/win/application.h"

namespace {

using namespace vex;

constexpr int kRecords = 100000;
constexpr int kCodes = 1000;

// The code of fruit N and the map-list item that shows it.
std::string Code(int N) {
    char code[8];
    std::snprintf(code, sizeof code, "F%03d", N % kCodes);
    return code;
}

// The contacts table grown to kRecords rows, made once for every pass.
test::TEditsFixture& Contacts() {
    static test::TEditsFixture fixture(VEX_SOURCE_DIR "/dataaware/edits/testdata/wwedits.sql");
    static const bool grown = [] {
        // The shop's lookup would cost both walks alike and hide what the controls add.
        fixture.Contacts.LookupFields().Clear();
        fixture.Contacts.LookupLinks().Clear();
        fixture.Database()->Execute(
            "DELETE FROM contacts;"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(kRecords) +
            ") INSERT INTO contacts SELECT i, printf('(%03d)%03d-%04d', i % 1000, i % 997, i), "
            "i % 500, printf('F%03d', i % 1000), date('1950-01-01', '+' || (i % 20000) || ' "
            "days'), "
            "time(i % 86400, 'unixepoch'), datetime(1000000000 + i * 3607, 'unixepoch'), "
            "'note ' || i, 1 + i % 2 FROM n");
        return true;
    }();
    (void)grown;
    return fixture;
}

// A shown form with the six controls bound to the contacts' source.
class TBoundControls {
public:
    explicit TBoundControls(TDataSource& Source) {
        FForm->SetBounds(0, 0, 400, 260);
        auto* phone = Add<TwwDBEdit>(8);
        phone->SetDataSource(&Source);
        phone->SetDataField("Phone");
        // On the quantity: a memo would add a read of its blob per record that the bare walk
        // does not make, and that is the data layer's cost, not the control's.
        auto* quantity = Add<TwwDBCustomCombo>(36);
        quantity->SetDataSource(&Source);
        quantity->SetDataField("Qty");
        auto* fruit = Add<TwwDBComboBox>(64);
        fruit->SetMapList(true);
        for (int i = 0; i < kCodes; ++i)
            fruit->Items().Add("Fruit " + std::to_string(i) + "\t" + Code(i));
        fruit->SetDataSource(&Source);
        fruit->SetDataField("Fruit");
        int top = 92;
        for (const char* field : {"Born", "Alarm", "Stamp"}) {
            auto* picker = Add<TwwDBDateTimePicker>(top);
            picker->SetDataSource(&Source);
            picker->SetDataField(field);
            top += 28;
        }
        FForm->Show();
        Application().ProcessMessages();
    }
    ~TBoundControls() { delete FForm; }
    TBoundControls(const TBoundControls&) = delete;
    TBoundControls& operator=(const TBoundControls&) = delete;

private:
    template <class T>
    T* Add(int32_t Top) {
        auto* control = new T(FForm);
        control->SetBounds(8, Top, 200, 22);
        control->SetParent(FForm);
        return control;
    }

    TForm* FForm = new TForm(nullptr);
};

int32_t WalkToTheEnd(TDataSet& DataSet) {
    int32_t records = 0;
    for (DataSet.First(); !DataSet.Eof(); DataSet.Next())
        ++records;
    return records;
}

bench::TAgainstBare gWalk;

void BM_WalkingWithSixBoundControls(benchmark::State& State) {
    test::TEditsFixture& fixture = Contacts();
    fixture.Contacts.Open();
    int32_t bound = 0, bare = 0;
    {
        TBoundControls controls(fixture.Source);
        for (auto _ : State) {
            gWalk.Framework.Time([&] { bound = WalkToTheEnd(fixture.Contacts); });
            fixture.Source.SetDataSet(nullptr);
            gWalk.Bare.Time([&] { bare = WalkToTheEnd(fixture.Contacts); });
            fixture.Source.SetDataSet(&fixture.Contacts);
        }
    }
    fixture.Contacts.Close();
    if (bound != kRecords || bare != kRecords) State.SkipWithError("the walk missed records");
    gWalk.Count(State);
}
BENCHMARK(BM_WalkingWithSixBoundControls)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    bench::RunOffScreen(argc, argv);
    std::printf(
        "Next through 100,000 records with six bound edit controls, against the same walk with "
        "none bound: %.2fx\n",
        gWalk.Ratio());
    return 0;
}
