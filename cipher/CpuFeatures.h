// What the processor (and, for AVX2 and AVX-512, the operating system) lets the cipher's SIMD kernels use.
#pragma once

bool ProcessorHasSse2();

// AVX2 in cpuid and YMM state saved by the operating system (OSXSAVE, then XCR0 bits 1 and 2).
bool ProcessorHasAvx2();

// AVX2 and AVX-512F in cpuid, and the mask and ZMM state saved as well (XCR0 bits 5 to 7).
bool ProcessorHasAvx512();
