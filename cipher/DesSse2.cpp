// The bitsliced DES kernel over 128-bit SSE2 registers: 128 blocks per pass.
#include <emmintrin.h>

#include "BitsliceKernels.h"

namespace {

using Vector = __m128i;
constexpr int kVectorBytes = 16;

inline Vector And(Vector x, Vector y) { return _mm_and_si128(x, y); }
inline Vector Or(Vector x, Vector y) { return _mm_or_si128(x, y); }
inline Vector Xor(Vector x, Vector y) { return _mm_xor_si128(x, y); }
inline Vector AndNot(Vector x, Vector y) { return _mm_andnot_si128(y, x); }
inline Vector Not(Vector x) { return _mm_xor_si128(x, _mm_set1_epi32(-1)); }
inline Vector Splat64(uint64_t value) { return _mm_set1_epi64x(static_cast<long long>(value)); }

inline Vector LoadVector(const unsigned char* bytes)
{
    return _mm_loadu_si128(reinterpret_cast<const Vector*>(bytes));
}

inline void StoreVector(unsigned char* bytes, Vector value)
{
    _mm_storeu_si128(reinterpret_cast<Vector*>(bytes), value);
}

template <int kCount>
inline Vector ShiftLeft64(Vector x) { return _mm_slli_epi64(x, kCount); }
template <int kCount>
inline Vector ShiftRight64(Vector x) { return _mm_srli_epi64(x, kCount); }

Vector g_roundKeys[16][48];

}  // namespace

#include "DesBitslice.h"

static_assert(kSse2BatchBlocks * 8 == 64 * kVectorBytes, "a batch is 64 registers of blocks");

// Windows on i686 only promises 4-byte stack alignment at a call; the kernel spills 16-byte registers.
__attribute__((force_align_arg_pointer)) void Sse2SetKey(const uint64_t* subkeys)
{
    ExpandSubkeys(subkeys, g_roundKeys);
}

__attribute__((force_align_arg_pointer)) void Sse2CryptBatch(unsigned char* bytes, CipherDirection direction)
{
    CryptBitsliced(bytes, g_roundKeys, direction == CipherDirection::Decrypt);
}

__attribute__((force_align_arg_pointer)) void Sse2DecryptChainedBatch(unsigned char* bytes, const unsigned char* previous)
{
    DecryptChainedBitsliced(bytes, g_roundKeys, previous);
}
