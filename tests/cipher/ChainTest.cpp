// Block chaining: known answers, partial blocks, call boundaries, error spread, fast against reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

#include "Chain.h"
#include "ChainTesting.h"
#include "Des.h"
#include "TestSupport.h"

namespace {

using Bytes = std::vector<unsigned char>;

void SetKey(uint64_t key)
{
    DesSetKey(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
}

// Key bytes 13 34 57 79 9B BC DF F1.
constexpr uint64_t kKey = 0xF1DFBC9B79573413;

void EncipherInCalls(Bytes& data, const std::vector<int>& lengths)
{
    int offset = 0;
    for (int length : lengths) {
        EncipherBuffer(data.data() + offset, length);
        offset += length;
    }
}

void DecipherInCalls(Bytes& data, const std::vector<int>& lengths)
{
    int offset = 0;
    for (int length : lengths) {
        DecipherBuffer(data.data() + offset, length);
        offset += length;
    }
}

// Expected bytes were made with the openssl command's DES-ECB on bit-reversed bytes, chained by hand.
TEST(Chain, KnownAnswers)
{
    struct Case {
        uint64_t registerBefore;
        const char* plaintext;
        const char* ciphertext;
        uint64_t registerAfter;
    };
    const Case cases[] = {
        {0x0000000000000000, "56656C6D6F7261207365616C73206120666F6C6465722E20",
         "995D0ACFC7BDCAD78260A9B925B3C8B2722CF7083A6DE053", 0x53E06D3A08F72C72},
        {0x0123456789ABCDEF, "56656C6D6F7261207365616C73206120666F6C6465722E20",
         "7690A146A0F8E9D66DAD023042F6EBB39DE15C815D28C352", 0x52C3285D815CE19D},
    };
    SetKey(kKey);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Bytes data = FromHex(cases[i].plaintext);
        SetChainRegister(cases[i].registerBefore);
        EncipherBuffer(data.data(), static_cast<int>(data.size()));
        EXPECT_EQ(Hex(data), cases[i].ciphertext) << "case " << i << ": enciphered";
        EXPECT_EQ(ChainRegister(), cases[i].registerAfter) << "case " << i << ": got " << Hex(ChainRegister());

        SetChainRegister(cases[i].registerBefore);
        DecipherBuffer(data.data(), static_cast<int>(data.size()));
        EXPECT_EQ(Hex(data), cases[i].plaintext) << "case " << i << ": deciphered";
        EXPECT_EQ(ChainRegister(), cases[i].registerAfter) << "case " << i << ": got " << Hex(ChainRegister());
    }
}

TEST(Chain, LengthsWithoutAWholeBlockTouchNothing)
{
    const int lengths[] = {0, 1, 7, -1, -7, -8, -16, INT_MIN};
    SetKey(kKey);
    std::mt19937_64 random(3);
    const Bytes original = RandomBytes(random, 16);
    for (std::size_t i = 0; i < std::size(lengths); ++i)
        for (auto process : {EncipherBuffer, DecipherBuffer, ReferenceEncipherBuffer, ReferenceDecipherBuffer}) {
            Bytes data = original;
            SetChainRegister(0x1122334455667788);
            process(data.data(), lengths[i]);
            EXPECT_EQ(Hex(data), Hex(original)) << "case " << i << ": length " << lengths[i];
            EXPECT_EQ(ChainRegister(), 0x1122334455667788u) << "case " << i << ": length " << lengths[i];
        }
}

TEST(Chain, TrailingPartialBlockIsLeftAsItIs)
{
    SetKey(kKey);
    std::mt19937_64 random(4);
    const Bytes original = RandomBytes(random, 12);

    Bytes data = original;
    SetChainRegister(0);
    EncipherBuffer(data.data(), 12);
    EXPECT_EQ(Hex(Bytes(data.begin() + 8, data.end())), Hex(Bytes(original.begin() + 8, original.end())));
    EXPECT_EQ(ChainRegister(), JoinWords(LoadBlock(data.data())));

    SetChainRegister(0);
    DecipherBuffer(data.data(), 12);
    EXPECT_EQ(Hex(data), Hex(original));
}

// Boundaries at 8-byte multiples, around the 64-block batches and at the 10000-byte transfer unit.
TEST(Chain, CallBoundariesDoNotChangeTheResult)
{
    const std::vector<std::vector<int>> splits = {
        {24}, {8, 8, 8}, {16, 8}, {8, 16}, {512, 8}, {8, 512}, {504, 16}, {520}, {10000, 10000},
        {8, 10000, 9992}, {20000}, {1000, 0, 19000}, {4096, 4096, 4096, 4096, 3616},
    };
    SetKey(kKey);
    std::mt19937_64 random(5);
    for (std::size_t i = 0; i < splits.size(); ++i) {
        int total = 0;
        for (int length : splits[i])
            total += length;
        const Bytes plaintext = RandomBytes(random, total);

        Bytes whole = plaintext;
        SetChainRegister(0x0F1E2D3C4B5A6978);
        EncipherBuffer(whole.data(), total);
        const uint64_t wholeRegister = ChainRegister();

        Bytes pieces = plaintext;
        SetChainRegister(0x0F1E2D3C4B5A6978);
        EncipherInCalls(pieces, splits[i]);
        EXPECT_EQ(Hex(pieces), Hex(whole)) << "case " << i << ": enciphered";
        EXPECT_EQ(ChainRegister(), wholeRegister) << "case " << i << ": got " << Hex(ChainRegister());

        SetChainRegister(0x0F1E2D3C4B5A6978);
        DecipherInCalls(pieces, splits[i]);
        EXPECT_EQ(Hex(pieces), Hex(plaintext)) << "case " << i << ": deciphered";
        EXPECT_EQ(ChainRegister(), wholeRegister) << "case " << i << ": got " << Hex(ChainRegister());
    }
}

TEST(Chain, RunOfEqualBlocksAlternatesWithTheRegister)
{
    SetKey(kKey);
    const uint64_t registerBefore = 0xA5A5A5A55A5A5A5A;
    const CipherBlock plaintext{0x6D6C6556, 0x2061726F};
    Bytes data(8 * 7);
    for (int i = 0; i < 7; ++i)
        StoreBlock(data.data() + 8 * i, plaintext);
    SetChainRegister(registerBefore);
    EncipherBuffer(data.data(), static_cast<int>(data.size()));

    const uint64_t first = DesEncryptBlock(plaintext.low, plaintext.high) ^ registerBefore;
    for (int i = 0; i < 7; ++i) {
        const uint64_t expected = i % 2 == 0 ? first : registerBefore;
        EXPECT_EQ(JoinWords(LoadBlock(data.data() + 8 * i)), expected) << "block " << i;
    }
}

TEST(Chain, DamageSpreadsToOneFollowingBlockOnly)
{
    SetKey(kKey);
    std::mt19937_64 random(6);
    const Bytes plaintext = RandomBytes(random, 8 * 8);
    Bytes ciphertext = plaintext;
    SetChainRegister(0);
    EncipherBuffer(ciphertext.data(), static_cast<int>(ciphertext.size()));

    struct Case {
        int alteredByte;
        uint64_t startRegister;
        std::vector<int> garbledBlocks;
    };
    const Case cases[] = {
        {-1, 0x0000000000000001, {0}},  // wrong start register, nothing altered
        {0, 0, {0, 1}},
        {27, 0, {3, 4}},
        {63, 0, {7}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Bytes data = ciphertext;
        if (cases[i].alteredByte >= 0)
            data[cases[i].alteredByte] ^= 0x10;
        SetChainRegister(cases[i].startRegister);
        DecipherBuffer(data.data(), static_cast<int>(data.size()));
        for (int block = 0; block < 8; ++block) {
            const bool garbled = JoinWords(LoadBlock(data.data() + 8 * block)) !=
                                 JoinWords(LoadBlock(plaintext.data() + 8 * block));
            const bool expected = std::find(cases[i].garbledBlocks.begin(), cases[i].garbledBlocks.end(), block) !=
                                  cases[i].garbledBlocks.end();
            EXPECT_EQ(garbled, expected) << "case " << i << ": block " << block;
        }
    }
}

// Random keys, registers, lengths and boundaries; the fast routines and the reference must agree on
// every byte and on the register, and deciphering must undo enciphering.
TEST(Chain, FastAgreesWithReference)
{
    std::mt19937_64 random(8);
    for (int trial = 0; trial < 150; ++trial) {
        const uint64_t key = random();
        const uint64_t registerBefore = random();
        SetKey(key);

        std::vector<int> lengths;
        int total = 0;
        const int calls = 1 + static_cast<int>(random() % 5);
        for (int c = 0; c < calls; ++c) {
            const int kind = static_cast<int>(random() % 8);
            const int length = kind == 0 ? -static_cast<int>(random() % 20)
                                         : kind == 1 ? static_cast<int>(random() % 8)
                                                     : static_cast<int>(random() % 1200);
            lengths.push_back(length);
            total += length > 0 ? length : 0;
        }
        const Bytes plaintext = RandomBytes(random, total);

        Bytes fast = plaintext, reference = plaintext;
        SetChainRegister(registerBefore);
        int offset = 0;
        for (int length : lengths) {
            EncipherBuffer(fast.data() + offset, length);
            offset += length > 0 ? length : 0;
        }
        const uint64_t fastRegister = ChainRegister();

        SetChainRegister(registerBefore);
        offset = 0;
        for (int length : lengths) {
            ReferenceEncipherBuffer(reference.data() + offset, length);
            offset += length > 0 ? length : 0;
        }
        ASSERT_EQ(Hex(fast), Hex(reference)) << "trial " << trial << ": key " << Hex(key);
        ASSERT_EQ(fastRegister, ChainRegister()) << "trial " << trial << ": key " << Hex(key);

        SetChainRegister(registerBefore);
        offset = 0;
        for (int length : lengths) {
            DecipherBuffer(fast.data() + offset, length);
            offset += length > 0 ? length : 0;
        }
        const uint64_t fastDecipherRegister = ChainRegister();
        SetChainRegister(registerBefore);
        offset = 0;
        for (int length : lengths) {
            ReferenceDecipherBuffer(reference.data() + offset, length);
            offset += length > 0 ? length : 0;
        }
        ASSERT_EQ(Hex(fast), Hex(reference)) << "trial " << trial << ": key " << Hex(key);
        ASSERT_EQ(fastDecipherRegister, ChainRegister()) << "trial " << trial << ": key " << Hex(key);
        ASSERT_EQ(Hex(fast), Hex(plaintext)) << "trial " << trial << ": key " << Hex(key);
    }
}

}  // namespace
