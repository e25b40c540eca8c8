// Shared by the cipher tests: the customary DES bit order, hex for failure messages, repeatable random data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "CipherBlock.h"

inline unsigned char ReverseBits(unsigned char byte)
{
    unsigned char reversed = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (byte & (1u << bit))
            reversed |= static_cast<unsigned char>(0x80u >> bit);
    return reversed;
}

// Published vectors write a block as one number, byte 0 first and bit 7 of each byte first. The
// system reads the same eight bytes with the bits of each byte reversed.
inline CipherBlock FromCustomaryOrder(uint64_t customary)
{
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = ReverseBits(static_cast<unsigned char>(customary >> (56 - 8 * i)));
    return LoadBlock(bytes);
}

inline std::string Hex(uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(value));
    return text;
}

inline std::string Hex(const std::vector<unsigned char>& bytes)
{
    std::string text;
    char pair[4];
    for (unsigned char byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        text += pair;
    }
    return text;
}

inline std::vector<unsigned char> FromHex(const char* hex)
{
    std::vector<unsigned char> bytes;
    for (; hex[0] && hex[1]; hex += 2)
        bytes.push_back(static_cast<unsigned char>(std::stoul(std::string(hex, 2), nullptr, 16)));
    return bytes;
}

inline std::vector<unsigned char> RandomBytes(std::mt19937_64& random, std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    for (unsigned char& byte : bytes)
        byte = static_cast<unsigned char>(random());
    return bytes;
}
