// DES in the system's bit order: one process-wide key schedule and the two block operations.
#include "Des.h"

#include "BlockKernel.h"
#include "DesFast.h"
#include "DesReference.h"

// The reference schedule is built first because the other paths are rearranged from its subkeys.
void DesSetKey(uint32_t low, uint32_t high)
{
    ReferenceSetKey(low, high);
    FastSetKey(ReferenceSubkeys());
    KernelSetKey(ReferenceSubkeys());
}

uint64_t DesEncryptBlock(uint32_t low, uint32_t high)
{
    return JoinWords(FastCryptBlock({low, high}, CipherDirection::Encrypt));
}

uint64_t DesDecryptBlock(uint32_t low, uint32_t high)
{
    return JoinWords(FastCryptBlock({low, high}, CipherDirection::Decrypt));
}
