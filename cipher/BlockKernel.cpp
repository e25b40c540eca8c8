// Runs DES over a batch of independent blocks in place, with the kernel path selected (the widest by default).
#include "BlockKernel.h"

#include <cstring>

#include "BitsliceKernels.h"
#include "ChainTesting.h"
#include "CpuFeatures.h"
#include "DesReference.h"

namespace {

const bool g_hasSse2 = ProcessorHasSse2();
const bool g_hasAvx2 = ProcessorHasAvx2();
const bool g_hasAvx512 = ProcessorHasAvx512();

DesPath BestPath()
{
    return g_hasAvx512 ? DesPath::Avx512 : g_hasAvx2 ? DesPath::Avx2 : g_hasSse2 ? DesPath::Sse2 : DesPath::Table;
}

DesPath g_path = BestPath();

using BatchFunction = void (*)(unsigned char*, CipherDirection);
using ChainedFunction = void (*)(unsigned char*, const unsigned char*);

void CryptWithTable(unsigned char* bytes, int count, CipherDirection direction)
{
    int i = 0;
    for (; i + 1 < count; i += 2) {
        CipherBlock first = LoadBlock(bytes + 8 * i), second = LoadBlock(bytes + 8 * i + 8);
        FastCryptPair(first, second, direction);
        StoreBlock(bytes + 8 * i, first);
        StoreBlock(bytes + 8 * i + 8, second);
    }
    if (i < count)
        StoreBlock(bytes + 8 * i, FastCryptBlock(LoadBlock(bytes + 8 * i), direction));
}

void CryptWithReference(unsigned char* bytes, int count, CipherDirection direction)
{
    for (int i = 0; i < count; ++i) {
        const CipherBlock block = LoadBlock(bytes + 8 * i);
        const uint64_t result = direction == CipherDirection::Encrypt ? ReferenceEncryptBlock(block.low, block.high)
                                                                     : ReferenceDecryptBlock(block.low, block.high);
        StoreBlock(bytes + 8 * i, SplitValue(result));
    }
}

struct Kernel {
    DesPath path;
    int width;
    BatchFunction pass;
    ChainedFunction chainedDecrypt;
};

// Narrowest first. Each kernel's processor also runs every narrower one.
constexpr Kernel kKernels[] = {
    {DesPath::Sse2, kSse2BatchBlocks, Sse2CryptBatch, Sse2DecryptChainedBatch},
    {DesPath::Avx2, kAvx2BatchBlocks, Avx2CryptBatch, Avx2DecryptChainedBatch},
    {DesPath::Avx512, kAvx512BatchBlocks, Avx512CryptBatch, Avx512DecryptChainedBatch},
};

const Kernel* SelectedKernel()
{
    for (const Kernel& kernel : kKernels)
        if (kernel.path == g_path)
            return &kernel;
    return nullptr;
}

// The narrowest kernel whose pass holds `count` blocks (count is at most the widest pass).
const Kernel& NarrowestHolding(int count)
{
    const Kernel* holder = kKernels;
    while (holder->width < count)
        ++holder;
    return *holder;
}

// A pass costs the same however many lanes carry blocks: a remainder of blocks goes through one pass of
// the narrowest kernel that holds it, its unused lanes left as zeros, unless it fills under a quarter of
// even that pass, which is cheaper on the table path.
bool WorthAPass(int rest, const Kernel& holder)
{
    return rest > 0 && rest >= holder.width / 4;
}

// Runs `pass` over a zero-padded copy of the `rest` blocks at `bytes`, and copies them back.
template <typename Pass>
void ThroughPaddedPass(unsigned char* bytes, int rest, Pass pass)
{
    unsigned char padded[8 * kWidestBatchBlocks] = {};
    std::memcpy(padded, bytes, 8 * rest);
    pass(padded);
    std::memcpy(bytes, padded, 8 * rest);
}

// Full passes of the selected kernel, then the remainder.
void CryptBitsliced(unsigned char* bytes, int count, CipherDirection direction, const Kernel& selected)
{
    int i = 0;
    for (; count - i >= selected.width; i += selected.width)
        selected.pass(bytes + 8 * i, direction);
    const int rest = count - i;
    const Kernel& holder = NarrowestHolding(rest);
    if (WorthAPass(rest, holder))
        ThroughPaddedPass(bytes + 8 * i, rest, [&](unsigned char* padded) { holder.pass(padded, direction); });
    else
        CryptWithTable(bytes + 8 * i, rest, direction);
}

// Turns every C(i) into C(i) ^ C(i-1) in place; XOR does not care about byte order, so this works on the
// bytes as they lie.
void FormChainedInputs(unsigned char* bytes, int count, const unsigned char* previous)
{
    uint64_t before;
    std::memcpy(&before, previous, 8);
    for (int i = 0; i < count; ++i) {
        uint64_t ciphertext;
        std::memcpy(&ciphertext, bytes + 8 * i, 8);
        const uint64_t input = ciphertext ^ before;
        std::memcpy(bytes + 8 * i, &input, 8);
        before = ciphertext;
    }
}

// As CryptBitsliced, with the passes run from the back: each then still finds the C(i) before its first
// block unchanged, and forms its own inputs from them.
void DecipherChainedBitsliced(unsigned char* bytes, int count, const unsigned char* previous, const Kernel& selected)
{
    const auto before = [&](int start) { return start == 0 ? previous : bytes + 8 * (start - 1); };
    const int whole = count / selected.width * selected.width;
    const int rest = count - whole;
    const Kernel& holder = NarrowestHolding(rest);
    if (WorthAPass(rest, holder)) {
        const unsigned char* const previousOfRest = before(whole);
        ThroughPaddedPass(bytes + 8 * whole, rest,
                          [&](unsigned char* padded) { holder.chainedDecrypt(padded, previousOfRest); });
    } else {
        FormChainedInputs(bytes + 8 * whole, rest, before(whole));
        CryptWithTable(bytes + 8 * whole, rest, CipherDirection::Decrypt);
    }
    for (int start = whole - selected.width; start >= 0; start -= selected.width)
        selected.chainedDecrypt(bytes + 8 * start, before(start));
}

}  // namespace

bool DesPathAvailable(DesPath path)
{
    switch (path) {
    case DesPath::Sse2: return g_hasSse2;
    case DesPath::Avx2: return g_hasAvx2;
    case DesPath::Avx512: return g_hasAvx512;
    default: return true;
    }
}

bool SelectDesPath(DesPath path)
{
    if (!DesPathAvailable(path))
        return false;
    g_path = path;
    return true;
}

DesPath SelectedDesPath()
{
    return g_path;
}

void SelectBestDesPath()
{
    g_path = BestPath();
}

const char* DesPathName(DesPath path)
{
    switch (path) {
    case DesPath::Reference: return "reference";
    case DesPath::Table: return "table";
    case DesPath::Sse2: return "sse2";
    case DesPath::Avx2: return "avx2";
    case DesPath::Avx512: return "avx512";
    }
    return "?";
}

void KernelSetKey(const uint64_t* subkeys)
{
    if (g_hasSse2)
        Sse2SetKey(subkeys);
    if (g_hasAvx2)
        Avx2SetKey(subkeys);
    if (g_hasAvx512)
        Avx512SetKey(subkeys);
}

int SelectedPassWidth()
{
    const Kernel* const kernel = SelectedKernel();
    return kernel ? kernel->width : 0;
}

void CryptBlocks(unsigned char* bytes, int count, CipherDirection direction)
{
    switch (g_path) {
    case DesPath::Reference:
        CryptWithReference(bytes, count, direction);
        break;
    case DesPath::Table:
        CryptWithTable(bytes, count, direction);
        break;
    default:
        CryptBitsliced(bytes, count, direction, *SelectedKernel());
        break;
    }
}

void DecipherChainedBlocks(unsigned char* bytes, int count, const unsigned char* previous)
{
    if (const Kernel* const kernel = SelectedKernel()) {
        DecipherChainedBitsliced(bytes, count, previous, *kernel);
        return;
    }
    FormChainedInputs(bytes, count, previous);
    CryptBlocks(bytes, count, CipherDirection::Decrypt);
}
