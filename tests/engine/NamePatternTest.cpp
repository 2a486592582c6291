#include "engine/io/NamePattern.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace lumora::engine {
namespace {

bool matches(std::string_view pattern, std::string_view name) {
    return NamePattern(pattern).matches(name);
}

// Stars at either end, in the middle and side by side; "?" takes exactly one character; case never
// counts: each answer as the whole name decides it, not a prefix or a substring.
TEST(NamePattern, StarsAndQuestionMarksMatchTheWholeName) {
    EXPECT_TRUE(matches("Fiducial*", "FIDUCIAL_1mm"));
    EXPECT_FALSE(matches("Fiducial*", "My_Fiducial"));
    EXPECT_TRUE(matches("*testpoint*", "Lib:TESTPOINT-30MIL"));
    EXPECT_TRUE(matches("TP?", "tp7"));
    EXPECT_FALSE(matches("TP?", "TP"));
    EXPECT_FALSE(matches("TP?", "TP10"));
    EXPECT_TRUE(matches("a**b", "ab"));
    EXPECT_TRUE(matches("*", ""));
    EXPECT_TRUE(matches("", ""));
    EXPECT_FALSE(matches("", "x"));
    EXPECT_FALSE(matches("ab*ba", "aba")); // the ends may not share a character
    EXPECT_TRUE(matches("ab*ba", "abba"));
}

// A middle piece taken where it first ends leaves room for the rest; one taken greedily late would not.
TEST(NamePattern, MiddlePiecesTakeTheirFirstPlace) {
    EXPECT_TRUE(matches("*a?c*abc", "xabcabc"));
    EXPECT_TRUE(matches("*aa*aa*", "aaaa"));
    EXPECT_FALSE(matches("*aa*aa*", "aaa"));
    EXPECT_TRUE(matches("x*ab?d*e", "xabcabxdqe"));
}

// Pieces longer than one machine word carry their bits from word to word.
TEST(NamePattern, PiecesLongerThanAWordMatchAcrossTheWordBoundary) {
    const std::string piece = std::string(63, 'a') + "?b" + std::string(10, 'c');
    EXPECT_TRUE(matches("*" + piece + "*", std::string(80, 'a') + "Xb" + std::string(10, 'C') + "z"));
    EXPECT_FALSE(matches("*" + piece + "*", std::string(80, 'a') + "Xa" + std::string(10, 'c')));
}

// A hostile roles file's 40,000-byte pattern against an 80,000-byte name took 27 s; patterns have a
// length that keeps every match linear in the name.
TEST(NamePattern, APatternBeyondTheLimitIsRefused) {
    EXPECT_NO_THROW(NamePattern(std::string(NamePattern::kMostCharacters, '?')));
    EXPECT_THROW(NamePattern(std::string(NamePattern::kMostCharacters + 1, '*')), std::length_error);
}

} // namespace
} // namespace lumora::engine
