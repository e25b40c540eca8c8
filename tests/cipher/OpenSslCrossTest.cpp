// DES against OpenSSL's on random keys and blocks, through the per-byte bit reversal (native build only).
#include <gtest/gtest.h>

// The low-level DES calls are deprecated in OpenSSL 3 but are the plain block cipher this test needs.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <openssl/des.h>

#include "ChainTesting.h"
#include "Des.h"
#include "TestSupport.h"

namespace {

void ReverseEachByte(const unsigned char* from, unsigned char* to)
{
    for (int i = 0; i < 8; ++i)
        to[i] = ReverseBits(from[i]);
}

uint64_t OpenSslCrypt(const unsigned char (&keyBytes)[8], uint64_t block, int direction)
{
    DES_cblock key, input, output;
    ReverseEachByte(keyBytes, key);
    unsigned char blockBytes[8];
    StoreBlock(blockBytes, SplitValue(block));
    ReverseEachByte(blockBytes, input);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&key, &schedule);
    DES_ecb_encrypt(&input, &output, &schedule, direction);
    ReverseEachByte(output, blockBytes);
    return JoinWords(LoadBlock(blockBytes));
}

TEST(OpenSslCross, RandomKeysAndBlocks)
{
    std::mt19937_64 random(46);
    for (int k = 0; k < 4000; ++k) {
        unsigned char keyBytes[8];
        for (unsigned char& byte : keyBytes)
            byte = static_cast<unsigned char>(random());
        const CipherBlock key = LoadBlock(keyBytes);
        DesSetKey(key.low, key.high);
        for (int b = 0; b < 4; ++b) {
            const uint64_t block = random();
            const CipherBlock words = SplitValue(block);
            const uint64_t expected = OpenSslCrypt(keyBytes, block, DES_ENCRYPT);
            ASSERT_EQ(DesEncryptBlock(words.low, words.high), expected)
                << "key " << Hex(JoinWords(key)) << ", block " << Hex(block);
            ASSERT_EQ(DesDecryptBlock(words.low, words.high), OpenSslCrypt(keyBytes, block, DES_DECRYPT))
                << "key " << Hex(JoinWords(key)) << ", block " << Hex(block);
            if (b == 0) {
                ASSERT_EQ(ReferenceEncryptBlock(words.low, words.high), expected)
                    << "key " << Hex(JoinWords(key)) << ", block " << Hex(block);
            }
        }
    }
}

}  // namespace

#pragma GCC diagnostic pop
