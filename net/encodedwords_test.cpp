#include "net/encodedwords.h"

#include <gtest/gtest.h>

namespace vex {
namespace {

std::string Decoded(std::string_view Source) {
    std::string dest;
    DecodeEncodedWords(Source, dest);
    return dest;
}

TEST(EncodedWords, DecodeTheExamplesOfTheStandard) {
    EXPECT_EQ(Decoded("(=?ISO-8859-1?Q?a?=)"), "(a)");
    EXPECT_EQ(Decoded("(=?ISO-8859-1?Q?a?= b)"), "(a b)");
    EXPECT_EQ(Decoded("(=?ISO-8859-1?Q?a?= =?ISO-8859-1?Q?b?=)"), "(ab)");
}

}  // namespace
}  // namespace vex
