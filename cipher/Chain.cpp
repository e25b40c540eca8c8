// The system's block chaining over a buffer, through one process-wide chain register.
#include "Chain.h"

#include <cstring>

#include "BlockKernel.h"
#include "ChainTesting.h"

namespace {

CipherBlock g_register{0, 0};

int WholeBlocks(int length)
{
    return length > 0 ? length / 8 : 0;
}

// The chain only XORs whole blocks, and XOR does not care about byte order, so it works on the eight bytes
// of a block as one integer just as they lie in memory; only the register itself is kept in cipher words.
uint64_t LoadBytes(const unsigned char* bytes)
{
    uint64_t value;
    std::memcpy(&value, bytes, 8);
    return value;
}

void StoreBytes(unsigned char* bytes, uint64_t value)
{
    std::memcpy(bytes, &value, 8);
}

uint64_t RegisterAsBytes()
{
    unsigned char bytes[8];
    StoreBlock(bytes, g_register);
    return LoadBytes(bytes);
}

void SetRegisterFromBytes(uint64_t value)
{
    unsigned char bytes[8];
    StoreBytes(bytes, value);
    g_register = LoadBlock(bytes);
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

// Every E(P(i)) is independent of the chain, so a whole batch goes through the block kernel in place first
// and the chain is folded in afterwards as a running XOR. The register lives in a local meanwhile: stores
// through the byte pointer could otherwise alias it and force a reload per block.
void EncipherBuffer(void* buffer, int length)
{
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    uint64_t chain = RegisterAsBytes();
    for (int remaining = WholeBlocks(length); remaining > 0;) {
        const int count = remaining < kBlockBatch ? remaining : kBlockBatch;
        CryptBlocks(bytes, count, CipherDirection::Encrypt);
        for (int i = 0; i < count; ++i) {
            chain ^= LoadBytes(bytes + 8 * i);
            StoreBytes(bytes + 8 * i, chain);
        }
        bytes += 8 * count;
        remaining -= count;
    }
    SetRegisterFromBytes(chain);
}

// Every C(i) ^ C(i-1) is known before any block is deciphered, so each batch is turned into those inputs
// in place (each C(i) is kept in a local before it is overwritten) and then deciphered as a whole.
void DecipherBuffer(void* buffer, int length)
{
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    uint64_t previous = RegisterAsBytes();
    for (int remaining = WholeBlocks(length); remaining > 0;) {
        const int count = remaining < kBlockBatch ? remaining : kBlockBatch;
        for (int i = 0; i < count; ++i) {
            const uint64_t ciphertext = LoadBytes(bytes + 8 * i);
            StoreBytes(bytes + 8 * i, ciphertext ^ previous);
            previous = ciphertext;
        }
        CryptBlocks(bytes, count, CipherDirection::Decrypt);
        bytes += 8 * count;
        remaining -= count;
    }
    SetRegisterFromBytes(previous);
}
