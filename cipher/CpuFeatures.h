// What the processor (and, for AVX2, the operating system) lets the cipher's SIMD kernels use.
#pragma once

bool ProcessorHasSse2();

// AVX2 in cpuid and YMM state saved by the operating system (OSXSAVE, then XCR0 bits 1 and 2).
bool ProcessorHasAvx2();
