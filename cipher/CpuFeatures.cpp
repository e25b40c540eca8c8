// What the processor (and, for AVX2 and AVX-512, the operating system) lets the cipher's SIMD kernels use.
#include "CpuFeatures.h"

#include <cpuid.h>

#include <cstdint>

namespace {

// XGETBV is written as bytes in plain asm so that this file needs no -mxsave and runs on any i686.
uint64_t ReadExtendedControlRegister0()
{
    uint32_t low, high;
    __asm__ volatile(".byte 0x0f, 0x01, 0xd0" : "=a"(low), "=d"(high) : "c"(0));
    return low | static_cast<uint64_t>(high) << 32;
}

// Leaf 7's EBX when the operating system saves every register state in `stateBits`, else 0.
unsigned ExtendedFeaturesWithState(uint64_t stateBits)
{
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return 0;
    const bool osSavesState = (ecx & bit_OSXSAVE) != 0 && (ecx & bit_AVX) != 0;
    if (!osSavesState || (ReadExtendedControlRegister0() & stateBits) != stateBits)
        return 0;
    if (__get_cpuid_max(0, nullptr) < 7)
        return 0;
    __cpuid_count(7, 0, eax, ebx, ecx, edx);
    return ebx;
}

}  // namespace

bool ProcessorHasSse2()
{
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return false;
    return (edx & bit_SSE2) != 0;
}

bool ProcessorHasAvx2()
{
    constexpr uint64_t kXmmAndYmmState = 0x6;
    return (ExtendedFeaturesWithState(kXmmAndYmmState) & bit_AVX2) != 0;
}

bool ProcessorHasAvx512()
{
    constexpr uint64_t kXmmYmmMaskAndZmmState = 0xE6;
    const unsigned features = ExtendedFeaturesWithState(kXmmYmmMaskAndZmmState);
    return (features & bit_AVX2) != 0 && (features & bit_AVX512F) != 0;
}
