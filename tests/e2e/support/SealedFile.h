// The tests' own reader and writer of cipher files, built on the cipher module: an oracle for what the
// program writes, and a way to craft damaged or hostile cipher files for it to open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SealedEntry {
  uint32_t nameLength = 0;  // N, with the terminating zero
  uint32_t attributes = 0;
  uint64_t creationTime = 0;
  uint64_t lastAccessTime = 0;
  uint64_t lastWriteTime = 0;
  uint32_t sizeHigh = 0;
  uint32_t sizeLow = 0;
  std::string name;     // as stored, up to its zero
  std::string content;  // a file's bytes (the stored length), without padding

  bool IsFolder() const { return (attributes & 0x10) != 0; }
  uint64_t Size() const { return (uint64_t(sizeHigh) << 32) | sizeLow; }
};

struct SealedFile {
  std::string stub;
  int32_t passphraseTextSize = 0;  // P
  std::string passphrase;          // the stored text up to its zero
  std::vector<SealedEntry> entries;
  size_t trailingBytes = 0;        // bytes after the last entry record that were not read
};

// The payload marker: the bytes 1..50.
std::string PayloadMarker();

// Splits a cipher file at its first marker and deciphers the payload under the passphrase.
// False with a reason when the file does not hold a well-formed payload.
bool ReadSealedFile(const std::string& bytes, const std::string& passphrase, SealedFile& out, std::string& why);

// Options for crafting: everything the program would never write itself.
struct CraftOptions {
  bool overrideTextSize = false;
  int32_t textSize = 0;       // P as stored (the text written is still the passphrase, padded to 8)
  std::string rawPayloadTail; // plain bytes enciphered after the entries (cut records, junk)
  size_t cutPayloadAt = SIZE_MAX;  // keep only this many payload bytes
};

// Writes stub, marker and a payload holding these entries, enciphered under the passphrase. An entry's
// nameLength of 0 means "the name's length + 1"; its sizes come from the content when both are 0.
std::string WriteSealedFile(const std::string& stub, const std::string& passphrase,
                            const std::vector<SealedEntry>& entries, const CraftOptions& options = {});
