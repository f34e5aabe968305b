#pragma once

// Builders shared by the tests, the fuzz target and the benchmark of the data layer.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "platform/data/bytes.h"
#include "platform/data/dbitypes.h"
#include "platform/data/filterblock.h"

namespace vex::test {

// Builds filter blocks node by node; Build lays them out parent first, as the compiler does.
class TFilterBlockBuilder {
public:
    using Node = int;

    Node Field(const std::string& Name) {
        return Add({nodeFIELD, canFIELD, 0, -1, -1, Name + '\0'});
    }
    Node Constant(uint16_t Type, const std::string& Bytes) {
        return Add({nodeCONST, canCONST, Type, -1, -1, Bytes});
    }
    Node String(const std::string& Text) { return Constant(fldZSTRING, Text + '\0'); }
    template <typename T>
    Node Value(uint16_t Type, T V) {
        std::string bytes(sizeof V, '\0');
        std::memcpy(bytes.data(), &V, sizeof V);
        return Constant(Type, bytes);
    }
    Node Binary(uint32_t Op, Node Left, Node Right) {
        return Add({nodeBINARY, Op, 0, Left, Right, ""});
    }

    std::vector<uint8_t> Build(Node Root) const {
        std::vector<Node> order;
        Place(Root, order);
        std::vector<size_t> slotOf(FNodes.size());
        for (size_t i = 0; i < order.size(); ++i)
            slotOf[order[i]] = i;
        std::string literals;
        std::vector<uint8_t> nodes(order.size() * FilterNodeSize);
        for (size_t i = 0; i < order.size(); ++i) {
            const TPlanned& n = FNodes[order[i]];
            uint8_t* p = nodes.data() + i * FilterNodeSize;
            PutBytes<uint32_t>(p, n.Class);
            PutBytes<uint32_t>(p + 4, n.Op);
            if (n.Class == nodeBINARY) {
                PutBytes<uint16_t>(p + 8, static_cast<uint16_t>(slotOf[n.Left] * FilterNodeSize));
                PutBytes<uint16_t>(p + 10, static_cast<uint16_t>(slotOf[n.Right] * FilterNodeSize));
            } else if (n.Class == nodeFIELD) {
                PutBytes<uint16_t>(p + 8, static_cast<uint16_t>(i + 1));
                PutBytes<uint16_t>(p + 10, static_cast<uint16_t>(literals.size()));
            } else {
                PutBytes<uint16_t>(p + 8, n.Type);
                PutBytes<uint16_t>(p + 10, static_cast<uint16_t>(n.Literal.size()));
                PutBytes<uint16_t>(p + 12, static_cast<uint16_t>(literals.size()));
            }
            literals += n.Literal;
        }
        std::vector<uint8_t> block(FilterHeaderSize);
        const size_t literalStart = FilterHeaderSize + nodes.size();
        PutBytes<uint16_t>(block.data(), 1);
        PutBytes<uint16_t>(block.data() + 2, static_cast<uint16_t>(literalStart + literals.size()));
        PutBytes<uint16_t>(block.data() + 4, static_cast<uint16_t>(order.size()));
        PutBytes<uint16_t>(block.data() + 6, FilterHeaderSize);
        PutBytes<uint16_t>(block.data() + 8, static_cast<uint16_t>(literalStart));
        block.insert(block.end(), nodes.begin(), nodes.end());
        block.insert(block.end(), literals.begin(), literals.end());
        return block;
    }

private:
    struct TPlanned {
        uint32_t Class, Op;
        uint16_t Type;
        Node Left, Right;
        std::string Literal;
    };
    Node Add(TPlanned N) {
        FNodes.push_back(std::move(N));
        return static_cast<Node>(FNodes.size() - 1);
    }
    void Place(Node N, std::vector<Node>& Order) const {
        Order.push_back(N);
        if (FNodes[N].Class == nodeBINARY) {
            Place(FNodes[N].Left, Order);
            Place(FNodes[N].Right, Order);
        }
    }
    std::vector<TPlanned> FNodes;
};

// Field descriptors laid out as a cursor lays them out.
inline std::vector<FLDDesc> MakeFields(
    std::initializer_list<std::tuple<const char*, uint16_t, uint16_t, uint16_t>> Specs) {
    std::vector<FLDDesc> fields;
    for (const auto& [name, type, units1, units2] : Specs) {
        FLDDesc f;
        f.szName = name;
        f.iFldType = type;
        f.iUnits1 = units1;
        f.iUnits2 = units2;
        fields.push_back(f);
    }
    LayOutRecord(fields);
    return fields;
}

// A record of every type a filter can read, and a memo that it cannot.
inline std::vector<FLDDesc> SampleFields() {
    return MakeFields({{"Name", fldZSTRING, 20, 0},
                       {"Amount", fldFLOAT, 0, 0},
                       {"Qty", fldINT32, 0, 0},
                       {"Small", fldINT16, 0, 0},
                       {"Price", fldBCD, 10, 2},
                       {"Born", fldDATE, 0, 0},
                       {"At", fldTIME, 0, 0},
                       {"Stamp", fldTIMESTAMP, 0, 0},
                       {"Active", fldBOOL, 0, 0},
                       {"Notes", fldBLOB, 0, 0}});
}

}  // namespace vex::test

#include <sqlite3.h>

#include <fstream>
#include <sstream>

#include "platform/data/dbiengine.h"

namespace vex::test {

// Runs an SQL file of the fixtures into the database of Directory.
inline void CreateFixture(const std::string& Directory, const std::string& SqlFile) {
    std::ifstream in(SqlFile);
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().empty()) throw std::runtime_error("cannot read " + SqlFile);
    TDbiEngine::Default().OpenDatabase(Directory)->Execute(text.str());
}

}  // namespace vex::test
