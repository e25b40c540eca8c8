// The system's block chaining over a buffer, through one process-wide chain register.
#include "Chain.h"

#include <cstring>

#include "BlockKernel.h"
#include "ChainTesting.h"
#include "KernelWorker.h"

namespace {

CipherBlock g_register{0, 0};
int g_threads = 2;

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

// The running XOR of the chain over enciphered blocks; returns the last C(i). The chain stays in a local:
// stores through the byte pointer could otherwise alias it and force a reload per block.
uint64_t FoldChain(unsigned char* bytes, int count, uint64_t chain)
{
    for (int i = 0; i < count; ++i) {
        chain ^= LoadBytes(bytes + 8 * i);
        StoreBytes(bytes + 8 * i, chain);
    }
    return chain;
}

// The second core, when a slice is long enough that each half fills at least one kernel pass.
KernelWorker* WorkerFor(int count)
{
    const int width = SelectedPassWidth();
    return g_threads > 1 && width > 0 && count >= 2 * width ? KernelWorker::Shared() : nullptr;
}

// The front half of a slice, as the worker runs it: `chain` is the C(i) before it, and after enciphering
// the last C(i) of the half.
struct FrontHalf {
    unsigned char* bytes;
    int count;
    uint64_t chain;
};

void EncipherFront(void* context)
{
    FrontHalf& front = *static_cast<FrontHalf*>(context);
    CryptBlocks(front.bytes, front.count, CipherDirection::Encrypt);
    front.chain = FoldChain(front.bytes, front.count, front.chain);
}

void DecipherFront(void* context)
{
    FrontHalf& front = *static_cast<FrontHalf*>(context);
    unsigned char previous[8];
    StoreBytes(previous, front.chain);
    DecipherChainedBlocks(front.bytes, front.count, previous);
}

// Returns the last C(i) of the slice. With a second core, the worker enciphers and folds the front half
// while this thread enciphers the back half, whose fold then starts from the front's last C(i). Each
// thread folds the blocks it enciphered itself, while they are still in its own cache.
uint64_t EncipherSlice(unsigned char* bytes, int count, uint64_t chain)
{
    KernelWorker* const worker = WorkerFor(count);
    if (!worker) {
        CryptBlocks(bytes, count, CipherDirection::Encrypt);
        return FoldChain(bytes, count, chain);
    }
    const int split = count / 2;
    FrontHalf front{bytes, split, chain};
    worker->Start(EncipherFront, &front);
    CryptBlocks(bytes + 8 * split, count - split, CipherDirection::Encrypt);
    worker->Finish();
    return FoldChain(bytes + 8 * split, count - split, front.chain);
}

// Returns the last C(i) of the slice. Deciphering needs no result of the other half, so with a second core
// the halves run wholly in parallel once the C(i) before the back half is read: the worker overwrites it.
uint64_t DecipherSlice(unsigned char* bytes, int count, uint64_t previous)
{
    const uint64_t last = LoadBytes(bytes + 8 * (count - 1));
    KernelWorker* const worker = WorkerFor(count);
    if (!worker) {
        unsigned char before[8];
        StoreBytes(before, previous);
        DecipherChainedBlocks(bytes, count, before);
        return last;
    }
    const int split = count / 2;
    unsigned char beforeBack[8];
    std::memcpy(beforeBack, bytes + 8 * (split - 1), 8);
    FrontHalf front{bytes, split, previous};
    worker->Start(DecipherFront, &front);
    DecipherChainedBlocks(bytes + 8 * split, count - split, beforeBack);
    worker->Finish();
    return last;
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

void SetKernelThreads(int threads)
{
    g_threads = threads;
}

// Every E(P(i)) is independent of the chain, so a whole slice goes through the block kernel in place first
// and the chain is folded in afterwards as a running XOR.
void EncipherBuffer(void* buffer, int length)
{
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    uint64_t chain = RegisterAsBytes();
    for (int remaining = WholeBlocks(length); remaining > 0;) {
        const int count = remaining < kBlockBatch ? remaining : kBlockBatch;
        chain = EncipherSlice(bytes, count, chain);
        bytes += 8 * count;
        remaining -= count;
    }
    SetRegisterFromBytes(chain);
}

// Every C(i) ^ C(i-1) is known before any block is deciphered, so each slice is deciphered as a whole,
// its inputs formed by the kernels as they go.
void DecipherBuffer(void* buffer, int length)
{
    unsigned char* bytes = static_cast<unsigned char*>(buffer);
    uint64_t previous = RegisterAsBytes();
    for (int remaining = WholeBlocks(length); remaining > 0;) {
        const int count = remaining < kBlockBatch ? remaining : kBlockBatch;
        previous = DecipherSlice(bytes, count, previous);
        bytes += 8 * count;
        remaining -= count;
    }
    SetRegisterFromBytes(previous);
}
