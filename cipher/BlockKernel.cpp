// Runs DES over a batch of independent blocks in place, with the widest kernel available.
#include "BlockKernel.h"

// Only the scalar kernel exists so far. A wider one (bitsliced, chosen once by cpuid) would take the
// leading multiple of its width here and leave the rest to the pairs below.
void CryptBlocks(CipherBlock* blocks, int count, CipherDirection direction)
{
    int i = 0;
    for (; i + 1 < count; i += 2)
        FastCryptPair(blocks[i], blocks[i + 1], direction);
    if (i < count)
        blocks[i] = FastCryptBlock(blocks[i], direction);
}
