// Runs DES over a batch of independent blocks in place, with the widest kernel available.
#include "BlockKernel.h"

#include <cstring>

#include "BitsliceKernels.h"
#include "ChainTesting.h"
#include "CpuFeatures.h"
#include "DesReference.h"

namespace {

const bool g_hasSse2 = ProcessorHasSse2();
const bool g_hasAvx2 = ProcessorHasAvx2();

DesPath BestPath()
{
    return g_hasAvx2 ? DesPath::Avx2 : g_hasSse2 ? DesPath::Sse2 : DesPath::Table;
}

DesPath g_path = BestPath();

using BatchFunction = void (*)(CipherBlock*, CipherDirection);

void CryptWithTable(CipherBlock* blocks, int count, CipherDirection direction)
{
    int i = 0;
    for (; i + 1 < count; i += 2)
        FastCryptPair(blocks[i], blocks[i + 1], direction);
    if (i < count)
        blocks[i] = FastCryptBlock(blocks[i], direction);
}

void CryptWithReference(CipherBlock* blocks, int count, CipherDirection direction)
{
    for (int i = 0; i < count; ++i) {
        const uint64_t result = direction == CipherDirection::Encrypt
                                    ? ReferenceEncryptBlock(blocks[i].low, blocks[i].high)
                                    : ReferenceDecryptBlock(blocks[i].low, blocks[i].high);
        blocks[i] = SplitValue(result);
    }
}

// A bitsliced pass costs the same however many of its lanes carry blocks, and it is several times
// faster per block than the table path, so a remainder of an eighth of the width or more still goes
// through one pass with its unused lanes left as zeros; smaller remainders go to the table path.
void CryptBitsliced(CipherBlock* blocks, int count, CipherDirection direction, int width, BatchFunction pass)
{
    int i = 0;
    for (; count - i >= width; i += width)
        pass(blocks + i, direction);
    const int rest = count - i;
    if (rest >= width / 8) {
        CipherBlock padded[kBlockBatch] = {};
        std::memcpy(padded, blocks + i, rest * sizeof(CipherBlock));
        pass(padded, direction);
        std::memcpy(blocks + i, padded, rest * sizeof(CipherBlock));
    } else {
        CryptWithTable(blocks + i, rest, direction);
    }
}

}  // namespace

bool DesPathAvailable(DesPath path)
{
    switch (path) {
    case DesPath::Sse2: return g_hasSse2;
    case DesPath::Avx2: return g_hasAvx2;
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
    }
    return "?";
}

void KernelSetKey(const uint64_t* subkeys)
{
    if (g_hasSse2)
        Sse2SetKey(subkeys);
    if (g_hasAvx2)
        Avx2SetKey(subkeys);
}

void CryptBlocks(CipherBlock* blocks, int count, CipherDirection direction)
{
    switch (g_path) {
    case DesPath::Reference:
        CryptWithReference(blocks, count, direction);
        break;
    case DesPath::Table:
        CryptWithTable(blocks, count, direction);
        break;
    case DesPath::Sse2:
        CryptBitsliced(blocks, count, direction, kSse2BatchBlocks, Sse2CryptBatch);
        break;
    case DesPath::Avx2:
        CryptBitsliced(blocks, count, direction, kAvx2BatchBlocks, Avx2CryptBatch);
        break;
    }
}
