// The system's block chaining over a buffer, through one process-wide chain register.
#include "Chain.h"

#include "BlockKernel.h"
#include "ChainTesting.h"

namespace {

CipherBlock g_register{0, 0};

int WholeBlocks(int length)
{
    return length > 0 ? length / 8 : 0;
}

}  // namespace

uint64_t ChainRegister()
{
    return JoinWords(g_register);
}

void SetChainRegister(uint64_t value)
{
    g_register = SplitValue(value);
}

// Every E(P(i)) is independent of the chain, so whole batches go through the block kernel first and
// the register is folded in afterwards.
void EncipherBuffer(void* buffer, int length)
{
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    CipherBlock batch[kBlockBatch];
    for (int remaining = WholeBlocks(length); remaining > 0;) {
        const int count = remaining < kBlockBatch ? remaining : kBlockBatch;
        for (int i = 0; i < count; ++i)
            batch[i] = LoadBlock(bytes + 8 * i);
        CryptBlocks(batch, count, CipherDirection::Encrypt);
        for (int i = 0; i < count; ++i) {
            g_register = batch[i] ^ g_register;
            StoreBlock(bytes + 8 * i, g_register);
        }
        bytes += 8 * count;
        remaining -= count;
    }
}

// Every C(i) ^ C(i-1) is known before any block is deciphered, so whole batches go through at once.
void DecipherBuffer(void* buffer, int length)
{
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    CipherBlock batch[kBlockBatch];
    for (int remaining = WholeBlocks(length); remaining > 0;) {
        const int count = remaining < kBlockBatch ? remaining : kBlockBatch;
        for (int i = 0; i < count; ++i) {
            const CipherBlock ciphertext = LoadBlock(bytes + 8 * i);
            batch[i] = ciphertext ^ g_register;
            g_register = ciphertext;
        }
        CryptBlocks(batch, count, CipherDirection::Decrypt);
        for (int i = 0; i < count; ++i)
            StoreBlock(bytes + 8 * i, batch[i]);
        bytes += 8 * count;
        remaining -= count;
    }
}
