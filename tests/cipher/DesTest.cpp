// The DES block operations: known answers in the system's bit order, published vectors, fast against reference.
#include <gtest/gtest.h>

#include <iterator>

#include "ChainTesting.h"
#include "Des.h"
#include "DesSwapPermutations.h"
#include "DesTables.h"
#include "PublishedVectors.h"
#include "TestSupport.h"

namespace {

void SetKey(uint64_t key)
{
    DesSetKey(static_cast<uint32_t>(key), static_cast<uint32_t>(key >> 32));
}

uint64_t Encrypt(uint64_t block)
{
    return DesEncryptBlock(static_cast<uint32_t>(block), static_cast<uint32_t>(block >> 32));
}

uint64_t Decrypt(uint64_t block)
{
    return DesDecryptBlock(static_cast<uint32_t>(block), static_cast<uint32_t>(block >> 32));
}

uint64_t ReferenceEncrypt(uint64_t block)
{
    return ReferenceEncryptBlock(static_cast<uint32_t>(block), static_cast<uint32_t>(block >> 32));
}

uint64_t ReferenceDecrypt(uint64_t block)
{
    return ReferenceDecryptBlock(static_cast<uint32_t>(block), static_cast<uint32_t>(block >> 32));
}

TEST(Des, EnciphersBlockBytesInTheSystemBitOrder)
{
    struct Case {
        const char* key;
        const char* plaintext;
        const char* ciphertext;
    };
    const Case cases[] = {
        {"0000000000000000", "0100000000000000", "A91FA5A7BB8C9B00"},
        {"0100000000000000", "0000000000000000", "A915EB14C85B95B2"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const uint64_t key = JoinWords(LoadBlock(FromHex(cases[i].key).data()));
        const uint64_t plaintext = JoinWords(LoadBlock(FromHex(cases[i].plaintext).data()));
        const uint64_t ciphertext = JoinWords(LoadBlock(FromHex(cases[i].ciphertext).data()));
        SetKey(key);
        EXPECT_EQ(Encrypt(plaintext), ciphertext) << "case " << i << ": fast, got " << Hex(Encrypt(plaintext));
        EXPECT_EQ(ReferenceEncrypt(plaintext), ciphertext) << "case " << i << ": reference";
        EXPECT_EQ(Decrypt(ciphertext), plaintext) << "case " << i;
        EXPECT_EQ(ReferenceDecrypt(ciphertext), plaintext) << "case " << i;
    }
}

TEST(Des, ParityPositionsOfTheKeyAreIgnored)
{
    std::mt19937_64 random(7);
    for (int parityBit = 7; parityBit < 64; parityBit += 8) {
        const uint64_t key = random();
        const uint64_t block = random();
        SetKey(key);
        const uint64_t expected = Encrypt(block);
        SetKey(key ^ (uint64_t{1} << parityBit));
        EXPECT_EQ(Encrypt(block), expected) << "bit " << parityBit << ", key " << Hex(key);
        EXPECT_EQ(ReferenceEncrypt(block), expected) << "bit " << parityBit << ", key " << Hex(key);
    }
}

TEST(Des, PublishedVectorsHoldThroughTheBitReversal)
{
    for (const PublishedTable& table : kPublishedTables)
        for (std::size_t i = 0; i < table.count; ++i) {
            const PublishedVector& row = table.rows[i];
            const uint64_t plaintext = JoinWords(FromCustomaryOrder(row.plaintext));
            const uint64_t ciphertext = JoinWords(FromCustomaryOrder(row.ciphertext));
            SetKey(JoinWords(FromCustomaryOrder(row.key)));
            const auto where = [&] {
                return std::string(table.name) + " case " + std::to_string(i) + ": key " + Hex(row.key) +
                       ", plaintext " + Hex(row.plaintext) + ", ciphertext " + Hex(row.ciphertext);
            };
            EXPECT_EQ(Encrypt(plaintext), ciphertext) << where();
            EXPECT_EQ(Decrypt(ciphertext), plaintext) << where();
            EXPECT_EQ(ReferenceEncrypt(plaintext), ciphertext) << where();
            EXPECT_EQ(ReferenceDecrypt(ciphertext), plaintext) << where();
        }

    // The inverse permutation table: under the variable-plaintext key, enciphering the ciphertexts
    // gives back the single-bit plaintexts.
    SetKey(JoinWords(FromCustomaryOrder(kVariablePlaintext[0].key)));
    for (std::size_t i = 0; i < std::size(kVariablePlaintext); ++i) {
        const PublishedVector& row = kVariablePlaintext[i];
        EXPECT_EQ(Encrypt(JoinWords(FromCustomaryOrder(row.ciphertext))), JoinWords(FromCustomaryOrder(row.plaintext)))
            << "inverse permutation case " << i << ": " << Hex(row.ciphertext);
    }
}

TEST(DesFast, SwapPermutationsMoveEveryBitAsTheirTables)
{
    for (int bit = 0; bit < 64; ++bit) {
        const CipherBlock single = SplitValue(uint64_t{1} << bit);

        uint64_t expected = 0;
        for (int j = 0; j < 32; ++j) {
            if (des_tables::kInitialPermutationLeft[j] == bit)
                expected |= uint64_t{1} << j;
            if (des_tables::kInitialPermutationRight[j] == bit)
                expected |= uint64_t{1} << (32 + j);
        }
        EXPECT_EQ(JoinWords(SwapInitialPermutation(single)), expected) << "IP, input bit " << bit;

        expected = 0;
        for (int j = 0; j < 64; ++j)
            if (des_tables::kFinalPermutation[j] == bit)
                expected |= uint64_t{1} << j;
        EXPECT_EQ(JoinWords(SwapFinalPermutation(single)), expected) << "IP^-1, input bit " << bit;
    }
}

TEST(DesFast, AgreesWithReferenceOnRandomKeysAndBlocks)
{
    std::mt19937_64 random(2024);
    for (int k = 0; k < 300; ++k) {
        const uint64_t key = random();
        SetKey(key);
        for (int b = 0; b < 20; ++b) {
            const uint64_t block = random();
            const uint64_t ciphertext = Encrypt(block);
            ASSERT_EQ(ciphertext, ReferenceEncrypt(block)) << "key " << Hex(key) << ", block " << Hex(block);
            ASSERT_EQ(Decrypt(block), ReferenceDecrypt(block)) << "key " << Hex(key) << ", block " << Hex(block);
            ASSERT_EQ(Decrypt(ciphertext), block) << "key " << Hex(key) << ", block " << Hex(block);
        }
    }
}

}  // namespace
