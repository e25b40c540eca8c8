// Passphrase folding: which bytes reach the key, how characters are counted, and the fold window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "Fold.h"
#include "TestSupport.h"

namespace {

bool NoLeadBytes(unsigned char)
{
    return false;
}

std::string Dbcs(unsigned char lead, unsigned char trail)
{
    return std::string{static_cast<char>(lead), static_cast<char>(trail)};
}

std::string DbcsRun(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += Dbcs(0x82, static_cast<unsigned char>(0xA0 + i));
    return text;
}

FoldResult Fold(const std::string& text, LeadByteTest isLeadByte)
{
    unsigned char work[32] = {};
    std::memcpy(work, text.data(), std::min<std::size_t>(text.size(), sizeof work));
    return FoldPassphrase(work, isLeadByte);
}

// Expected keys come from the closed form A = (b0 sign-extended << 6k) | sum of (x(j) & 63) << 6(k-1-j).
TEST(Fold, KeysAndCounts)
{
    struct Case {
        std::string text;
        LeadByteTest isLeadByte;
        uint64_t key;
        int count;
    };
    const Case cases[] = {
        {"", IsCp932LeadByte, 0x0000000000000000, 0},
        {"abcdefghij", IsCp932LeadByte, 0x18628E49669E8A6A, 10},
        {"abcdefghi", IsCp932LeadByte, 0x18618A39259A7A29, 9},
        // Only the first 22 bytes are folded.
        {"ABCDEFGHIJKLMNOPQRSTUVWXY", IsCp932LeadByte, 0xC34E3D04524D4556, 22},
        // Characters before the eleventh-last do not reach the key.
        {"zzzzABCDEFGHIJKLMNOPQR", IsCp932LeadByte, 0x824A2CC34E3D0452, 22},
        {"yyyyABCDEFGHIJKLMNOPQR", IsCp932LeadByte, 0x824A2CC34E3D0452, 22},
        // A double-byte character counts once and gives its trail byte; the twelfth starts at byte 22.
        {DbcsRun(11), IsCp932LeadByte, 0x08628E49669E8A6A, 11},
        {DbcsRun(12), IsCp932LeadByte, 0x08628E49669E8A6A, 11},
        {DbcsRun(9), IsCp932LeadByte, 0xE0A08628E49669E8, 9},
        // A double-byte character starting at byte 21 takes its trail byte from byte 22.
        {"abcdefghijklmnopqrstu" + Dbcs(0x88, 0x9F), IsCp932LeadByte, 0xCB6EBF0C72CF4D5F, 22},
        // Bits 6 and 7 of a byte are lost.
        {"qqqqqqqqqq", IsCp932LeadByte, 0x1C71C71C71C71C71, 10},
        {"1111111111", IsCp932LeadByte, 0x1C71C71C71C71C71, 10},
        // The lead byte is not folded, except as the first byte of a text of exactly ten characters.
        {"0123456789" + Dbcs(0x83, 0x41), IsCp932LeadByte, 0x0C72CF4D76DF8E41, 11},
        {"0123456789" + Dbcs(0x88, 0x41), IsCp932LeadByte, 0x0C72CF4D76DF8E41, 11},
        {Dbcs(0x83, 0x41) + "123456789", IsCp932LeadByte, 0x3071CB3D35DB7E39, 10},
        {Dbcs(0x88, 0x41) + "123456789", IsCp932LeadByte, 0x8071CB3D35DB7E39, 10},
        // A lead byte at the end takes the terminating zero as its trail byte.
        {"abcdefghi\x81", IsCp932LeadByte, 0x18628E49669E8A40, 10},
        // Without double-byte characters every byte counts.
        {DbcsRun(11), NoLeadBytes, 0x50A60A70A80A90AA, 22},
        // A first byte of 0x80 or above fills the upper bits with its sign.
        {"\xB1", IsCp932LeadByte, 0xFFFFFFFFFFFFEC71, 1},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const FoldResult result = Fold(cases[i].text, cases[i].isLeadByte);
        EXPECT_EQ(result.key, cases[i].key) << "case " << i << ": got " << Hex(result.key) << ", want "
                                            << Hex(cases[i].key);
        EXPECT_EQ(result.count, cases[i].count) << "case " << i;
    }
}

TEST(Fold, Cp932LeadByteRangeEdges)
{
    struct Case {
        unsigned char byte;
        bool lead;
    };
    const Case cases[] = {{0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false},
                          {0xDF, false}, {0xE0, true}, {0xFC, true}, {0xFD, false}};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(IsCp932LeadByte(cases[i].byte), cases[i].lead) << "case " << i << ": byte " << Hex(cases[i].byte);
}

}  // namespace
