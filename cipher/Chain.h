// The system's block chaining over a buffer, through one process-wide chain register.
#pragma once

// Whole 8-byte blocks only; the last length mod 8 bytes, and any length of 0 or less, are left alone.
// C(i) = E(P(i)) ^ C(i-1) and P(i) = D(C(i) ^ C(i-1)), with C(0) the register before the call.
void EncipherBuffer(void* buffer, int length);
void DecipherBuffer(void* buffer, int length);
