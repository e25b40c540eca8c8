// Cipher-file reader and writer for the tests: the layout written out plainly, chained through the cipher module.
#include "SealedFile.h"

#include <cstring>

#include "Chain.h"
#include "ChainTesting.h"
#include "Des.h"
#include "Fold.h"

namespace {

uint64_t Pad8(uint64_t n) { return (n + 7) / 8 * 8; }

uint32_t Load32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

void Store32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Store64(std::string& s, uint64_t v) {
  Store32(s, static_cast<uint32_t>(v));
  Store32(s, static_cast<uint32_t>(v >> 32));
}

// Sets the key folded from the passphrase as the program does, and starts a fresh chain.
void StartChain(const std::string& passphrase) {
  unsigned char work[32] = {};
  std::memcpy(work, passphrase.data(), passphrase.size() < 32 ? passphrase.size() : 32);
  const FoldResult folded = FoldPassphrase(work, IsCp932LeadByte);
  DesSetKey(static_cast<uint32_t>(folded.key), static_cast<uint32_t>(folded.key >> 32));
  SetChainRegister(0);
}

// Deciphers the next `length` payload bytes in place and moves the cursor past them.
bool Take(std::string& payload, size_t& at, size_t length, std::string& piece) {
  if (at + length > payload.size()) return false;
  piece = payload.substr(at, length);
  DecipherBuffer(&piece[0], static_cast<int>(length));
  at += length;
  return true;
}

}  // namespace

std::string PayloadMarker() {
  std::string marker;
  for (int i = 1; i <= 50; ++i) marker += static_cast<char>(i);
  return marker;
}

bool ReadSealedFile(const std::string& bytes, const std::string& passphrase, SealedFile& out, std::string& why) {
  const size_t markerAt = bytes.find(PayloadMarker());
  if (markerAt == std::string::npos) { why = "no payload marker"; return false; }
  out = SealedFile();
  out.stub = bytes.substr(0, markerAt);
  std::string payload = bytes.substr(markerAt + 50);
  if (payload.size() % 8 != 0) { why = "payload length not a multiple of 8"; return false; }

  StartChain(passphrase);
  size_t at = 0;
  std::string piece;
  if (!Take(payload, at, 8, piece) || !Take(payload, at, 8, piece)) { why = "no key record"; return false; }
  out.passphraseTextSize = static_cast<int32_t>(Load32(piece, 0));
  if (out.passphraseTextSize < 8 || out.passphraseTextSize > 1024) { why = "P out of range"; return false; }
  if (!Take(payload, at, static_cast<size_t>(out.passphraseTextSize), piece)) { why = "key record cut"; return false; }
  out.passphrase = piece.substr(0, piece.find('\0'));

  while (at + 40 < payload.size()) {
    SealedEntry entry;
    if (!Take(payload, at, 48, piece)) { why = "entry header cut"; return false; }
    entry.nameLength = Load32(piece, 0);
    entry.attributes = Load32(piece, 4);
    entry.creationTime = Load32(piece, 8) | uint64_t(Load32(piece, 12)) << 32;
    entry.lastAccessTime = Load32(piece, 16) | uint64_t(Load32(piece, 20)) << 32;
    entry.lastWriteTime = Load32(piece, 24) | uint64_t(Load32(piece, 28)) << 32;
    entry.sizeHigh = Load32(piece, 32);
    entry.sizeLow = Load32(piece, 36);
    if (entry.nameLength < 1 || entry.nameLength > 1024) { why = "name length out of range"; return false; }
    if (!Take(payload, at, Pad8(entry.nameLength), piece)) { why = "name cut"; return false; }
    entry.name = piece.substr(0, piece.find('\0'));
    if (entry.name.size() + 1 != entry.nameLength) { why = "name length disagrees with the name"; return false; }
    if (!entry.IsFolder()) {
      if (!Take(payload, at, Pad8(entry.Size()), piece)) { why = "content cut"; return false; }
      entry.content = piece.substr(0, entry.Size());
    }
    out.entries.push_back(entry);
  }
  out.trailingBytes = payload.size() - at;
  return true;
}

std::string WriteSealedFile(const std::string& stub, const std::string& passphrase,
                            const std::vector<SealedEntry>& entries, const CraftOptions& options) {
  std::string payload;
  Store64(payload, 0x1234567812345678ull);  // lead block: any value
  const int32_t textSize = static_cast<int32_t>(Pad8(passphrase.size() + 1));
  Store32(payload, static_cast<uint32_t>(options.overrideTextSize ? options.textSize : textSize));
  Store32(payload, 0);
  std::string text = passphrase;
  text.resize(static_cast<size_t>(textSize), '\0');
  payload += text;

  for (const SealedEntry& entry : entries) {
    const uint32_t nameLength = entry.nameLength ? entry.nameLength : static_cast<uint32_t>(entry.name.size() + 1);
    uint32_t sizeHigh = entry.sizeHigh, sizeLow = entry.sizeLow;
    if (!entry.IsFolder() && sizeHigh == 0 && sizeLow == 0) sizeLow = static_cast<uint32_t>(entry.content.size());
    Store32(payload, nameLength);
    Store32(payload, entry.attributes);
    Store64(payload, entry.creationTime);
    Store64(payload, entry.lastAccessTime);
    Store64(payload, entry.lastWriteTime);
    Store32(payload, sizeHigh);
    Store32(payload, sizeLow);
    Store64(payload, 0);
    std::string name = entry.name;
    name.resize(Pad8(name.size() + 1), '\0');
    payload += name;
    if (!entry.IsFolder()) {
      std::string content = entry.content;
      content.resize(Pad8(content.size()), '\0');
      payload += content;
    }
  }
  payload += options.rawPayloadTail;
  payload.resize(Pad8(payload.size()), '\0');

  StartChain(passphrase);
  EncipherBuffer(&payload[0], static_cast<int>(payload.size()));
  if (options.cutPayloadAt < payload.size()) payload.resize(options.cutPayloadAt);
  return stub + PayloadMarker() + payload;
}
