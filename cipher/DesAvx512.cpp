// The bitsliced DES kernel over 512-bit AVX-512 registers: 512 blocks per pass.
#include <immintrin.h>

#include "BitsliceKernels.h"

namespace {

using Vector = __m512i;
constexpr int kVectorBytes = 64;

// Plain vector operators rather than the logic and shift intrinsics: GCC 12's 512-bit intrinsics pass an
// undefined operand that its own uninitialised-variable warnings then flag.
inline Vector And(Vector x, Vector y) { return x & y; }
inline Vector Or(Vector x, Vector y) { return x | y; }
inline Vector Xor(Vector x, Vector y) { return x ^ y; }
inline Vector AndNot(Vector x, Vector y) { return x & ~y; }
inline Vector Not(Vector x) { return ~x; }
inline Vector Splat64(uint64_t value) { return _mm512_set1_epi64(static_cast<long long>(value)); }

inline Vector LoadVector(const unsigned char* bytes)
{
    return _mm512_loadu_si512(bytes);
}

inline void StoreVector(unsigned char* bytes, Vector value)
{
    _mm512_storeu_si512(bytes, value);
}

template <int kCount>
inline Vector ShiftLeft64(Vector x) { return x << kCount; }
template <int kCount>
inline Vector ShiftRight64(Vector x) { return reinterpret_cast<Vector>(reinterpret_cast<__v8du>(x) >> kCount); }

Vector g_roundKeys[16][48];

}  // namespace

#include "DesBitslice.h"

static_assert(kAvx512BatchBlocks * 8 == 64 * kVectorBytes, "a batch is 64 registers of blocks");

// Windows on i686 only promises 4-byte stack alignment at a call; the kernel spills 64-byte registers.
__attribute__((force_align_arg_pointer)) void Avx512SetKey(const uint64_t* subkeys)
{
    ExpandSubkeys(subkeys, g_roundKeys);
}

__attribute__((force_align_arg_pointer)) void Avx512CryptBatch(unsigned char* bytes, CipherDirection direction)
{
    CryptBitsliced(bytes, g_roundKeys, direction == CipherDirection::Decrypt);
}

__attribute__((force_align_arg_pointer)) void Avx512DecryptChainedBatch(unsigned char* bytes, const unsigned char* previous)
{
    DecryptChainedBitsliced(bytes, g_roundKeys, previous);
}
