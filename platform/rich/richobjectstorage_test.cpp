#include "platform/rich/richobjectstorage.h"

#include <gtest/gtest.h>

#include "platform/rich/richobject.h"
#include "tests/support/casefile.h"

namespace vex {
namespace {

TEST(RichObjectStorage, ReadsBackWhatItWroteStreamByStream) {
    TRichObjectStorage storage;
    storage.Write("Contents", std::string("a\0b", 3));
    storage.Write("Class", "Sample.Box");
    storage.Write("Empty", "");
    storage.Write("Contents", "replaced");
    const TRichObjectStorage read = TRichObjectStorage::FromBytes(storage.Bytes());
    EXPECT_EQ(read.Names(), (std::vector<std::string>{"Contents", "Class", "Empty"}));
    ASSERT_NE(read.Read("Contents"), nullptr);
    EXPECT_EQ(*read.Read("Contents"), "replaced");
    EXPECT_EQ(*read.Read("Empty"), "");
    EXPECT_EQ(read.Read("Missing"), nullptr);
    EXPECT_EQ(TRichObjectStorage::FromBytes(TRichObjectStorage().Bytes()).Names().size(), 0u);
}

TEST(RichObjectStorage, RefusesEachCorruptBufferOfTheTable) {
    for (const test::TestCase& c : test::ReadCases(VEX_TEST_DIR "/testdata/objectstorage.txt")) {
        SCOPED_TRACE(c.Where);
        try {
            TRichObjectStorage::FromBytes(c[0]);
            ADD_FAILURE() << "read";
        } catch (const ERichObjectError& e) {
            EXPECT_NE(std::string(e.what()).find(c[1]), std::string::npos) << e.what();
        }
    }
}

// The limits hold both ways: what Write refuses, FromBytes refuses too, and a refused write
// leaves the storage as it was.
TEST(RichObjectStorage, KeepsItsLimitsWhenWrittenAndWhenRead) {
    const TRichObjectStorageLimits small{2, 4, 40};
    TRichObjectStorage storage(small);
    storage.Write("a", "12345678");
    EXPECT_THROW(storage.Write("", "x"), ERichObjectError);
    EXPECT_THROW(storage.Write("toolong", "x"), ERichObjectError);
    EXPECT_THROW(storage.Write("b", std::string(20, 'x')), ERichObjectError);
    storage.Write("b", "x");
    EXPECT_THROW(storage.Write("c", ""), ERichObjectError);
    storage.Write("a", "");  // replacing is no new stream
    EXPECT_EQ(storage.Names(), (std::vector<std::string>{"a", "b"}));

    TRichObjectStorage large;
    large.Write("a", "1");
    large.Write("b", "2");
    large.Write("c", "3");
    EXPECT_THROW(TRichObjectStorage::FromBytes(large.Bytes(), small), ERichObjectError);
    TRichObjectStorage longName;
    longName.Write("longer", "");
    EXPECT_THROW(TRichObjectStorage::FromBytes(longName.Bytes(), small), ERichObjectError);
    TRichObjectStorage big;
    big.Write("a", std::string(40, 'x'));
    EXPECT_THROW(TRichObjectStorage::FromBytes(big.Bytes(), small), ERichObjectError);
}

}  // namespace
}  // namespace vex
