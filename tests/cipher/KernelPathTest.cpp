// Every DES kernel path (reference, table, SSE2, AVX2, AVX-512) against the bit-by-bit reference chaining.
#include <gtest/gtest.h>

#include <iterator>
#include <tuple>
#include <vector>

#include "BitsliceKernels.h"
#include "BlockKernel.h"
#include "Chain.h"
#include "ChainTesting.h"
#include "Des.h"
#include "PublishedVectors.h"
#include "TestSupport.h"

namespace {

using Bytes = std::vector<unsigned char>;

void SetKey(uint64_t key)
{
    DesSetKey(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
}

class KernelPath : public testing::TestWithParam<DesPath> {
protected:
    void SetUp() override
    {
        if (!SelectDesPath(GetParam()))
            GTEST_SKIP() << "this processor cannot run the " << DesPathName(GetParam()) << " path";
    }

    void TearDown() override { SelectBestDesPath(); }
};

struct ChainResult {
    Bytes bytes;
    uint64_t finalRegister;
};

ChainResult RunInCalls(void (*process)(void*, int), Bytes data, uint64_t registerBefore, const std::vector<int>& lengths)
{
    SetChainRegister(registerBefore);
    int offset = 0;
    for (int length : lengths) {
        process(data.data() + offset, length);
        offset += length > 0 ? length : 0;
    }
    return {data, ChainRegister()};
}

// Random keys, registers and cuts, with lengths that cover whole passes of the widest kernel, padded
// remainders, remainders left to the table path, partial blocks, 0 and negative lengths.
TEST_P(KernelPath, AgreesWithReferenceOnRandomBuffers)
{
    std::mt19937_64 random(11);
    for (int trial = 0; trial < 60; ++trial) {
        const uint64_t key = random();
        const uint64_t registerBefore = random();
        SetKey(key);

        std::vector<int> lengths;
        int total = 0;
        const int calls = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < calls; ++c) {
            const int kind = static_cast<int>(random() % 6);
            const int length = kind == 0   ? -static_cast<int>(random() % 20)
                               : kind == 1 ? static_cast<int>(random() % 8)
                               : kind == 2 ? static_cast<int>(random() % 400)
                               : kind == 5 ? static_cast<int>(random() % 24000)
                                           : static_cast<int>(random() % 6000);
            lengths.push_back(length);
            total += length > 0 ? length : 0;
        }
        const Bytes plaintext = RandomBytes(random, total);

        const ChainResult expected = RunInCalls(ReferenceEncipherBuffer, plaintext, registerBefore, lengths);
        const ChainResult enciphered = RunInCalls(EncipherBuffer, plaintext, registerBefore, lengths);
        ASSERT_EQ(Hex(enciphered.bytes), Hex(expected.bytes)) << "trial " << trial << ": key " << Hex(key);
        ASSERT_EQ(enciphered.finalRegister, expected.finalRegister)
            << "trial " << trial << ": key " << Hex(key) << ", got " << Hex(enciphered.finalRegister);

        const ChainResult expectedBack = RunInCalls(ReferenceDecipherBuffer, expected.bytes, registerBefore, lengths);
        const ChainResult deciphered = RunInCalls(DecipherBuffer, expected.bytes, registerBefore, lengths);
        ASSERT_EQ(Hex(deciphered.bytes), Hex(expectedBack.bytes)) << "trial " << trial << ": key " << Hex(key);
        ASSERT_EQ(deciphered.finalRegister, expectedBack.finalRegister) << "trial " << trial << ": key " << Hex(key);
        ASSERT_EQ(Hex(deciphered.bytes), Hex(plaintext)) << "trial " << trial << ": key " << Hex(key);
    }
}

// Block counts on either side of every threshold: a full pass of each width, the smallest remainder
// that is padded into a pass, the transfer unit of 1250 blocks.
TEST_P(KernelPath, AgreesWithReferenceAroundPassWidths)
{
    const int blockCounts[] = {1,   2,   15,  16,  17,  31,  32,  33,  63,  64,  65,  127, 128,
                               129, 255, 256, 257, 383, 384, 511, 512, 513, 767, 768, 769, 1250};
    std::mt19937_64 random(12);
    SetKey(random());
    for (std::size_t i = 0; i < std::size(blockCounts); ++i) {
        const int length = 8 * blockCounts[i] + static_cast<int>(i % 8);
        const Bytes plaintext = RandomBytes(random, length);
        const uint64_t registerBefore = random();
        const ChainResult expected = RunInCalls(ReferenceEncipherBuffer, plaintext, registerBefore, {length});
        const ChainResult enciphered = RunInCalls(EncipherBuffer, plaintext, registerBefore, {length});
        EXPECT_EQ(Hex(enciphered.bytes), Hex(expected.bytes)) << "case " << i << ": " << blockCounts[i] << " blocks";
        EXPECT_EQ(enciphered.finalRegister, expected.finalRegister) << "case " << i << ": got " << Hex(enciphered.finalRegister);
        const ChainResult deciphered = RunInCalls(DecipherBuffer, expected.bytes, registerBefore, {length});
        EXPECT_EQ(Hex(deciphered.bytes), Hex(plaintext)) << "case " << i << ": " << blockCounts[i] << " blocks";
        EXPECT_EQ(deciphered.finalRegister, expected.finalRegister) << "case " << i << ": got " << Hex(deciphered.finalRegister);
    }
}

// Thousands of transfer units in a row, each long enough to be shared with the second thread, give what
// one thread gives: a hand-over that let a call return before the worker's half was written, or let the
// worker run a stale job, shows here.
TEST_P(KernelPath, TwoThreadsGiveWhatOneGives)
{
    if (GetParam() == DesPath::Reference || GetParam() == DesPath::Table)
        GTEST_SKIP() << "the " << DesPathName(GetParam()) << " path always runs on one thread";
    constexpr int kUnit = 10000;
    constexpr int kUnits = 2000;
    std::mt19937_64 random(13);
    SetKey(random());
    const uint64_t registerBefore = random();
    const Bytes plaintext = RandomBytes(random, kUnit * kUnits);
    const std::vector<int> units(kUnits, kUnit);
    for (auto process : {EncipherBuffer, DecipherBuffer}) {
        SetKernelThreads(1);
        const ChainResult one = RunInCalls(process, plaintext, registerBefore, units);
        SetKernelThreads(2);
        const ChainResult two = RunInCalls(process, plaintext, registerBefore, units);
        ASSERT_TRUE(one.bytes == two.bytes);
        ASSERT_EQ(one.finalRegister, two.finalRegister);
    }
}

// One buffer cut into two calls at every block boundary gives the bytes and register of one call.
TEST_P(KernelPath, EverySplitPointGivesTheSameChain)
{
    constexpr int kBlocks = 300;
    std::mt19937_64 random(13);
    SetKey(random());
    const Bytes plaintext = RandomBytes(random, 8 * kBlocks + 5);
    const uint64_t registerBefore = random();
    const int total = static_cast<int>(plaintext.size());
    const ChainResult whole = RunInCalls(ReferenceEncipherBuffer, plaintext, registerBefore, {total});
    for (int split = 0; split <= kBlocks; ++split) {
        const std::vector<int> lengths = {8 * split, total - 8 * split};
        const ChainResult enciphered = RunInCalls(EncipherBuffer, plaintext, registerBefore, lengths);
        ASSERT_EQ(Hex(enciphered.bytes), Hex(whole.bytes)) << "split after block " << split;
        ASSERT_EQ(enciphered.finalRegister, whole.finalRegister) << "split after block " << split;
        const ChainResult deciphered = RunInCalls(DecipherBuffer, whole.bytes, registerBefore, lengths);
        ASSERT_EQ(Hex(deciphered.bytes), Hex(plaintext)) << "split after block " << split;
        ASSERT_EQ(deciphered.finalRegister, whole.finalRegister) << "split after block " << split;
    }
}

// Each published vector fills every lane of a full pass, so each lane of each kernel meets every case.
TEST_P(KernelPath, PublishedVectorsHoldInEveryLane)
{
    Bytes bytes(8 * kWidestBatchBlocks);
    for (const PublishedTable& table : kPublishedTables)
        for (std::size_t i = 0; i < table.count; ++i) {
            const PublishedVector& row = table.rows[i];
            const CipherBlock plaintext = FromCustomaryOrder(row.plaintext);
            const CipherBlock ciphertext = FromCustomaryOrder(row.ciphertext);
            SetKey(JoinWords(FromCustomaryOrder(row.key)));
            for (auto [direction, from, to] : {std::tuple{CipherDirection::Encrypt, plaintext, ciphertext},
                                               std::tuple{CipherDirection::Decrypt, ciphertext, plaintext}}) {
                for (int lane = 0; lane < kWidestBatchBlocks; ++lane)
                    StoreBlock(bytes.data() + 8 * lane, from);
                CryptBlocks(bytes.data(), kWidestBatchBlocks, direction);
                for (int lane = 0; lane < kWidestBatchBlocks; ++lane)
                    ASSERT_EQ(JoinWords(LoadBlock(bytes.data() + 8 * lane)), JoinWords(to))
                        << table.name << " case " << i << ", lane " << lane << ", "
                        << (direction == CipherDirection::Encrypt ? "encrypt" : "decrypt") << ": key "
                        << Hex(row.key) << ", got " << Hex(JoinWords(LoadBlock(bytes.data() + 8 * lane)));
            }
        }
}

std::string PathName(const testing::TestParamInfo<DesPath>& info)
{
    return DesPathName(info.param);
}

INSTANTIATE_TEST_SUITE_P(AllPaths, KernelPath, testing::ValuesIn(kAllDesPaths), PathName);

}  // namespace
