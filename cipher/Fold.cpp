// Folds a passphrase into the 64-bit DES key value and counts the characters it took.
#include "Fold.h"

namespace {

// A character may start only in bytes 0-21; one starting at 21 may still take its trail byte from 22.
constexpr int kFoldWindow = 22;

}  // namespace

bool IsCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

FoldResult FoldPassphrase(const unsigned char (&work)[32], LeadByteTest isLeadByte)
{
    // The first byte enters sign-extended, so with fewer than 11 characters its sign fills the top bits.
    uint64_t key = static_cast<uint64_t>(static_cast<int64_t>(static_cast<signed char>(work[0])));
    int count = 0;
    int index = 0;
    while (index < kFoldWindow && work[index] != 0) {
        unsigned char folded = work[index];
        if (isLeadByte(folded)) {
            folded = work[index + 1];
            index += 2;
        } else {
            index += 1;
        }
        key = (key << 6) | (folded & 0x3F);
        ++count;
    }
    return {key, count};
}
