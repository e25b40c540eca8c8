// The cipher file's layout: stub, payload marker, then the enciphered payload (lead block, key record, entry records).
#pragma once

#include <cstdint>
#include <cstring>

namespace fmt {

// Every bulk read or write moves at most one transfer unit; a multiple of 8, so units never split a block.
constexpr int kTransferUnit = 10000;

// The payload marker is the bytes 1, 2, ..., 50. The program must never hold it as stored data, or the
// plain program file would carry it and start in restore mode: it is built at run time.
constexpr int kMarkerLength = 50;
inline void FillMarker(unsigned char (&marker)[kMarkerLength]) {
  for (int i = 0; i < kMarkerLength; ++i) marker[i] = static_cast<unsigned char>(i + 1);
}

// The least multiple of 8 not below n (n >= 0).
constexpr int64_t Pad8(int64_t n) { return ((n + 7) / 8) * 8; }

// Lead block: two pseudo-random values that only start the chain; readers throw them away.
constexpr int kLeadBlockSize = 8;

// Key record: a length block holding P, then P bytes of passphrase text (the passphrase, a zero, padding).
constexpr int kLengthBlockSize = 8;
constexpr int kMinPassphraseText = 8;
constexpr int kMaxPassphraseText = 1024;
constexpr int kMaxPassphraseLength = kMaxPassphraseText - 1;
inline int32_t PassphraseTextSize(int passphraseLength) { return static_cast<int32_t>(Pad8(passphraseLength + 1)); }

// Entry header: the name length N (with its zero), then the first 44 bytes of the directory search's
// WIN32_FIND_DATAA, little-endian as that record lies in memory.
constexpr int kEntryHeaderSize = 48;
struct EntryHeader {
  uint32_t nameLength;
  uint32_t attributes;
  uint32_t creationTime[2];    // FILETIME, low word first
  uint32_t lastAccessTime[2];
  uint32_t lastWriteTime[2];
  uint32_t sizeHigh;
  uint32_t sizeLow;
  uint32_t reserved0;
  uint32_t reserved1;
};
static_assert(sizeof(EntryHeader) == kEntryHeaderSize, "entry header is 48 bytes");

constexpr uint32_t kAttributeDirectory = 0x10;
constexpr int kMaxNameLength = 1024;  // N, and also the padded name

// A reader takes a further entry record only while more than this many bytes remain.
constexpr int kEndSlack = 40;

// The whole cipher file stays below 4 GiB: Windows starts no larger program file.
constexpr uint64_t kMaxCipherFileSize = 0xFFFFFFFFull;

// Size of one entry record: header, padded name, and for a file its padded content.
inline uint64_t EntryRecordSize(int nameLengthWithZero, bool folder, uint64_t fileSize) {
  return kEntryHeaderSize + Pad8(nameLengthWithZero) + (folder ? 0 : Pad8(static_cast<int64_t>(fileSize)));
}

inline uint32_t LoadLittleEndian32(const unsigned char* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void StoreLittleEndian32(unsigned char* p, uint32_t v) {
  p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}

}  // namespace fmt
