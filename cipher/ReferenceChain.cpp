// The chaining written block by block over the reference DES, to hold the batched routines to.
#include "CipherBlock.h"
#include "ChainTesting.h"
#include "DesReference.h"

void ReferenceEncipherBuffer(void* buffer, int length)
{
    if (length == 0)
        return;
    const int blocks = length / 8;
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    for (int i = 0; i < blocks; ++i) {
        const CipherBlock plaintext = LoadBlock(bytes + 8 * i);
        const uint64_t ciphertext = ReferenceEncryptBlock(plaintext.low, plaintext.high) ^ ChainRegister();
        StoreBlock(bytes + 8 * i, SplitValue(ciphertext));
        SetChainRegister(ciphertext);
    }
}

void ReferenceDecipherBuffer(void* buffer, int length)
{
    if (length == 0)
        return;
    const int blocks = length / 8;
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    for (int i = 0; i < blocks; ++i) {
        const CipherBlock ciphertext = LoadBlock(bytes + 8 * i);
        const CipherBlock input = ciphertext ^ SplitValue(ChainRegister());
        StoreBlock(bytes + 8 * i, SplitValue(ReferenceDecryptBlock(input.low, input.high)));
        SetChainRegister(JoinWords(ciphertext));
    }
}
