#include "platform/data/filterblock.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>

#include "platform/data/data_testsupport.h"
#include "platform/data/dbierrors.h"
#include "platform/data/enginevalues.h"

namespace vex {
namespace {

using test::TFilterBlockBuilder;
using Node = TFilterBlockBuilder::Node;

std::vector<FLDDesc> CustomerFields() {
    return test::SampleFields();
}

const FLDDesc& FieldOf(const std::vector<FLDDesc>& Fields, const std::string& Name) {
    for (const FLDDesc& f : Fields)
        if (f.szName == Name) return f;
    throw std::runtime_error("no field " + Name);
}

// A record of CustomerFields, every field blank until set.
struct TRecord {
    std::vector<FLDDesc> Fields = CustomerFields();
    std::vector<uint8_t> Bytes = std::vector<uint8_t>(LayOutRecord(Fields), 0);
    TRecord() {
        for (const FLDDesc& f : Fields)
            Bytes[f.iNullOffset] = 1;
    }
    uint8_t* Slot(const std::string& Name) {
        const FLDDesc& f = FieldOf(Fields, Name);
        Bytes[f.iNullOffset] = 0;
        return Bytes.data() + f.iOffset;
    }
    template <typename T>
    TRecord& Set(const std::string& Name, T Value) {
        PutBytes<T>(Slot(Name), Value);
        return *this;
    }
    TRecord& SetString(const std::string& Name, const std::string& Text) {
        std::memcpy(Slot(Name), Text.c_str(), Text.size() + 1);
        return *this;
    }
    TRecord& SetBcd(const std::string& Name, const std::string& Text) {
        std::memcpy(Slot(Name), StrToBcd(Text, 10, 2).Bytes, BcdSize);
        return *this;
    }
};

std::string BcdBytes(const std::string& Text, int Precision, int Decimals) {
    const TBcd bcd = StrToBcd(Text, Precision, Decimals);
    return std::string(reinterpret_cast<const char*>(bcd.Bytes), BcdSize);
}

bool Judge(const std::function<Node(TFilterBlockBuilder&)>& Make, const TRecord& Record) {
    TFilterBlockBuilder b;
    const std::vector<uint8_t> block = b.Build(Make(b));
    const TFilterProgram program(block.data(), block.size(), Record.Fields);
    return program.Matches(Record.Bytes.data());
}

TEST(FilterProgram, JudgesRecordsByEveryKindOfOperand) {
    TRecord smith;
    smith.SetString("Name", "Smith")
        .Set<double>("Amount", 12.5)
        .Set<int32_t>("Qty", 3)
        .Set<int16_t>("Small", -2)
        .SetBcd("Price", "12.50")
        .Set<int32_t>("Born", 693596)  // 1 January 1900
        .Set<int32_t>("At", 3600000)
        .Set<double>("Stamp", 693596.0 * 86400000 + 1)
        .Set<int16_t>("Active", -1);

    struct Case {
        const char* What;
        std::function<Node(TFilterBlockBuilder&)> Make;
        bool Expected;
    };
    const Case cases[] = {
        {"string equal",
         [](TFilterBlockBuilder& b) { return b.Binary(canEQ, b.Field("Name"), b.String("Smith")); },
         true},
        {"names ignore case",
         [](TFilterBlockBuilder& b) { return b.Binary(canEQ, b.Field("NAME"), b.String("Smith")); },
         true},
        {"strings compare bytes",
         [](TFilterBlockBuilder& b) { return b.Binary(canEQ, b.Field("Name"), b.String("smith")); },
         false},
        {"a prefix sorts first",
         [](TFilterBlockBuilder& b) { return b.Binary(canGT, b.Field("Name"), b.String("Smit")); },
         true},
        {"integer against float",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canLT, b.Field("Qty"), b.Value(fldFLOAT, 3.5));
         },
         true},
        {"small integer",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canEQ, b.Field("Small"), b.Value<int16_t>(fldINT16, -2));
         },
         true},
        {"decimals compare exactly",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canEQ, b.Field("Price"), b.Constant(fldBCD, BcdBytes("12.5", 20, 1)));
         },
         true},
        {"decimals against a float",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canEQ, b.Field("Price"), b.Value(fldFLOAT, 12.5));
         },
         true},
        {"decimals differ in the last place",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canLT, b.Field("Price"),
                             b.Constant(fldBCD, BcdBytes("12.501", 20, 3)));
         },
         true},
        {"date against date",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canEQ, b.Field("Born"), b.Value<int32_t>(fldDATE, 693596));
         },
         true},
        {"date against a time stamp",
         [](TFilterBlockBuilder& b) { return b.Binary(canLT, b.Field("Born"), b.Field("Stamp")); },
         true},
        {"time",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canGE, b.Field("At"), b.Value<int32_t>(fldTIME, 3600000));
         },
         true},
        {"Boolean field alone",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canAND, b.Field("Active"), b.Field("Active"));
         },
         true},
        {"Boolean constant",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canEQ, b.Field("Active"), b.Value<int16_t>(fldBOOL, 0));
         },
         false},
        {"arithmetic",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canEQ, b.Binary(canMUL, b.Field("Qty"), b.Field("Amount")),
                             b.Value(fldFLOAT, 37.5));
         },
         true},
        {"division is never integral",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canEQ, b.Binary(canDIV, b.Field("Qty"), b.Value<int32_t>(fldINT32, 2)),
                             b.Value(fldFLOAT, 1.5));
         },
         true},
        {"division by zero is blank",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canNE, b.Binary(canDIV, b.Field("Qty"), b.Value<int32_t>(fldINT32, 0)),
                             b.Value(fldFLOAT, 1.0));
         },
         false},
        {"a blank operand makes a relation false",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canNE, b.Field("Qty"),
                             b.Binary(canDIV, b.Field("Qty"), b.Value<int32_t>(fldINT32, 0)));
         },
         false},
        {"OR",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canOR, b.Binary(canEQ, b.Field("Qty"), b.Value<int32_t>(fldINT32, 9)),
                             b.Binary(canEQ, b.Field("Name"), b.String("Smith")));
         },
         true},
        {"AND",
         [](TFilterBlockBuilder& b) {
             return b.Binary(canAND, b.Binary(canEQ, b.Field("Qty"), b.Value<int32_t>(fldINT32, 9)),
                             b.Binary(canEQ, b.Field("Name"), b.String("Smith")));
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_EQ(Judge(c.Make, smith), c.Expected);
    }

    TRecord blank;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("blank record: ") + c.What);
        EXPECT_FALSE(Judge(c.Make, blank));
    }
}

// A good block, then a change that spoils it.
TEST(FilterProgram, RefusesMalformedBlocksWithAReason) {
    TFilterBlockBuilder b;
    const std::vector<uint8_t> good = b.Build(b.Binary(canEQ, b.Field("Name"), b.String("Smith")));
    ASSERT_EQ(good.size(), 10u + 3 * 14 + 5 + 6);
    const std::vector<FLDDesc> fields = CustomerFields();

    struct Case {
        const char* What;
        std::function<void(std::vector<uint8_t>&)> Spoil;
        const char* Reason;
    };
    const Case cases[] = {
        {"cut short", [](auto& v) { v.pop_back(); }, "shorter than its stated size"},
        {"no header", [](auto& v) { v.erase(v.begin() + 9, v.end()); }, "shorter than its header"},
        {"version", [](auto& v) { v[0] = 2; }, "version"},
        {"no nodes", [](auto& v) { PutBytes<uint16_t>(v.data() + 4, 0); }, "no nodes"},
        {"node start", [](auto& v) { v[6] = 12; }, "do not follow the header"},
        {"literal start", [](auto& v) { v[8] = 60; }, "do not follow the nodes"},
        {"operand outside", [](auto& v) { PutBytes<uint16_t>(v.data() + 18, 42); },
         "outside the node area"},
        {"operand not on a slot", [](auto& v) { PutBytes<uint16_t>(v.data() + 18, 15); },
         "outside the node area"},
        {"operand is its parent", [](auto& v) { PutBytes<uint16_t>(v.data() + 18, 0); },
         "does not follow its parent"},
        // Shared operands would let a short block take exponential time to judge.
        {"operand used twice", [](auto& v) { PutBytes<uint16_t>(v.data() + 20, 14); }, "twice"},
        {"unknown operator", [](auto& v) { v[14] = 99; }, "Unknown filter operator"},
        {"unknown class", [](auto& v) { v[10 + 14] = 9; }, "Unknown filter node class"},
        {"unknown field", [](auto& v) { v[52] = 'X'; }, "No field named Xame"},
        {"unterminated name", [](auto& v) { PutBytes<uint16_t>(v.data() + 10 + 14 + 10, 11); },
         "not terminated"},
        {"constant outside", [](auto& v) { PutBytes<uint16_t>(v.data() + 10 + 28 + 12, 6); },
         "outside the block"},
        {"constant size", [](auto& v) { PutBytes<uint16_t>(v.data() + 10 + 28 + 10, 5); },
         "size does not match"},
        {"constant type", [](auto& v) { PutBytes<uint16_t>(v.data() + 10 + 28 + 8, fldBLOB); },
         "unknown type"},
        {"string against integer",
         [](auto& v) {
             PutBytes<uint16_t>(v.data() + 10 + 28 + 8, fldINT32);
             PutBytes<uint16_t>(v.data() + 10 + 28 + 10, 4);
         },
         "cannot be compared"},
        {"root is no condition", [](auto& v) { v[14] = canADD; }, "numbers only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        std::vector<uint8_t> block = good;
        c.Spoil(block);
        try {
            TFilterProgram(block.data(), block.size(), fields);
            ADD_FAILURE() << "accepted";
        } catch (const EDBEngineError& e) {
            EXPECT_EQ(e.ErrorCode(), DBIERR_INVALIDFILTER);
            EXPECT_NE(e.Message().find(c.Reason), std::string::npos) << e.Message();
        }
    }
    EXPECT_NO_THROW(TFilterProgram(good.data(), good.size(), fields));
}

TEST(FilterProgram, RefusesOperandsThatAreNotConditions) {
    const std::vector<FLDDesc> fields = CustomerFields();
    const std::function<Node(TFilterBlockBuilder&)> makers[] = {
        [](TFilterBlockBuilder& b) { return b.Field("Qty"); },
        [](TFilterBlockBuilder& b) { return b.Binary(canAND, b.Field("Qty"), b.Field("Active")); },
        [](TFilterBlockBuilder& b) { return b.Binary(canADD, b.Field("Name"), b.Field("Qty")); },
        [](TFilterBlockBuilder& b) { return b.Binary(canEQ, b.Field("Notes"), b.String("x")); },
        [](TFilterBlockBuilder& b) { return b.Binary(canEQ, b.Field("At"), b.Field("Born")); },
    };
    for (const auto& make : makers) {
        TFilterBlockBuilder b;
        const std::vector<uint8_t> block = b.Build(make(b));
        EXPECT_THROW(TFilterProgram(block.data(), block.size(), fields), EDBEngineError);
    }
}

// Random expressions over random records, against a predicate written out in plain C++.
TEST(FilterProgram, AgreesWithAPlainPredicateOnRandomRecords) {
    std::mt19937 random(20261207);
    const char* const numericFields[] = {"Qty", "Amount", "Small", "Price"};
    using Value = std::optional<double>;
    struct Expr {
        std::function<Node(TFilterBlockBuilder&)> Make;
        std::function<Value(TRecord&)> Eval;
    };
    const auto fieldValue = [](TRecord& r, const std::string& name) -> Value {
        const FLDDesc& f = FieldOf(r.Fields, name);
        if (r.Bytes[f.iNullOffset]) return std::nullopt;
        const uint8_t* p = r.Bytes.data() + f.iOffset;
        if (name == "Qty") return GetBytes<int32_t>(p);
        if (name == "Small") return GetBytes<int16_t>(p);
        if (name == "Amount") return GetBytes<double>(p);
        TBcd bcd;
        std::memcpy(bcd.Bytes, p, BcdSize);
        return BcdToFloat(bcd);
    };
    std::function<Expr(int)> arithmetic = [&](int depth) -> Expr {
        if (depth == 0 || random() % 3 == 0) {
            if (random() % 2) {
                const std::string name = numericFields[random() % 4];
                return {[name](TFilterBlockBuilder& b) { return b.Field(name); },
                        [name, fieldValue](TRecord& r) { return fieldValue(r, name); }};
            }
            const int32_t k = static_cast<int32_t>(random() % 7) - 3;
            return {[k](TFilterBlockBuilder& b) { return b.Value(fldINT32, k); },
                    [k](TRecord&) { return Value(k); }};
        }
        const uint32_t op = canADD + random() % 4;
        Expr l = arithmetic(depth - 1), r = arithmetic(depth - 1);
        return {[=](TFilterBlockBuilder& b) { return b.Binary(op, l.Make(b), r.Make(b)); },
                [=](TRecord& rec) -> Value {
                    const Value a = l.Eval(rec), c = r.Eval(rec);
                    if (!a || !c) return std::nullopt;
                    switch (op) {
                        case canADD:
                            return *a + *c;
                        case canSUB:
                            return *a - *c;
                        case canMUL:
                            return *a * *c;
                        default:
                            return *c == 0 ? Value() : Value(*a / *c);
                    }
                }};
    };
    std::function<Expr(int)> condition = [&](int depth) -> Expr {
        if (depth == 0 || random() % 2) {
            const uint32_t op = canEQ + random() % 6;
            Expr l = arithmetic(2), r = arithmetic(2);
            return {[=](TFilterBlockBuilder& b) { return b.Binary(op, l.Make(b), r.Make(b)); },
                    [=](TRecord& rec) -> Value {
                        const Value a = l.Eval(rec), c = r.Eval(rec);
                        if (!a || !c) return 0.0;
                        const bool t[] = {*a == *c, *a != *c, *a > *c, *a < *c, *a >= *c, *a <= *c};
                        return t[op - canEQ] ? 1.0 : 0.0;
                    }};
        }
        const uint32_t op = random() % 2 ? canAND : canOR;
        Expr l = condition(depth - 1), r = condition(depth - 1);
        return {[=](TFilterBlockBuilder& b) { return b.Binary(op, l.Make(b), r.Make(b)); },
                [=](TRecord& rec) -> Value {
                    const bool a = *l.Eval(rec) != 0, c = *r.Eval(rec) != 0;
                    return (op == canAND ? a && c : a || c) ? 1.0 : 0.0;
                }};
    };

    int kept = 0;
    for (int e = 0; e < 200; ++e) {
        const Expr expr = condition(2);
        TFilterBlockBuilder b;
        const std::vector<uint8_t> block = b.Build(expr.Make(b));
        TRecord record;
        const TFilterProgram program(block.data(), block.size(), record.Fields);
        for (int r = 0; r < 50; ++r) {
            record = TRecord();
            if (random() % 8) record.Set<int32_t>("Qty", static_cast<int32_t>(random() % 7) - 3);
            if (random() % 8) record.Set<int16_t>("Small", static_cast<int16_t>(random() % 5) - 2);
            if (random() % 8)
                record.Set<double>("Amount", (static_cast<int>(random() % 13) - 6) / 4.0);
            if (random() % 8)
                record.SetBcd("Price", std::to_string(static_cast<int>(random() % 9) - 4) + ".50");
            const bool expected = *expr.Eval(record) != 0;
            ASSERT_EQ(program.Matches(record.Bytes.data()), expected)
                << "expression " << e << " record " << r;
            kept += expected;
        }
    }
    // Both answers occur often enough for the comparison to mean something.
    EXPECT_GT(kept, 1000);
    EXPECT_LT(kept, 9000);
}

}  // namespace
}  // namespace vex
