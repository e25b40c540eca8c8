// Folds a passphrase into the 64-bit DES key value and counts the characters it took.
#pragma once

#include <cstdint>

typedef bool (*LeadByteTest)(unsigned char byte);

// Code page 932: 0x81-0x9F and 0xE0-0xFC start a double-byte character. For builds without the
// system's own test, and for tests.
bool IsCp932LeadByte(unsigned char byte);

struct FoldResult {
    uint64_t key;
    int count;
};

// `work` holds the first 32 bytes of the trimmed passphrase, zero-filled after it.
FoldResult FoldPassphrase(const unsigned char (&work)[32], LeadByteTest isLeadByte);
