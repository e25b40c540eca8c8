// Reads back the PNG files the driver writes (stored deflate blocks only), checking every length and checksum.
#include "PngReader.h"

#include <cstdint>

#include "Checksums.h"

namespace
{
uint32_t ReadBigEndian32(const std::string& bytes, size_t nOffset)
{
    return (static_cast<uint32_t>(static_cast<uint8_t>(bytes[nOffset])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(bytes[nOffset + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(bytes[nOffset + 2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[nOffset + 3]));
}

std::string InflateStored(const std::string& stream, std::string& data)
{
    if (stream.size() < 6 || static_cast<uint8_t>(stream[0]) != 0x78 ||
        ((static_cast<uint8_t>(stream[0]) << 8) | static_cast<uint8_t>(stream[1])) % 31 != 0)
        return "bad zlib header";
    size_t nOffset = 2;
    for (bool bFinal = false; !bFinal;)
    {
        if (nOffset + 5 > stream.size())
            return "zlib stream ends inside a block header";
        uint8_t nHeader = static_cast<uint8_t>(stream[nOffset]);
        if ((nHeader & 6) != 0)
            return "not a stored block";
        bFinal = (nHeader & 1) != 0;
        uint16_t nLength = static_cast<uint8_t>(stream[nOffset + 1]) | (static_cast<uint8_t>(stream[nOffset + 2]) << 8);
        uint16_t nComplement =
            static_cast<uint8_t>(stream[nOffset + 3]) | (static_cast<uint8_t>(stream[nOffset + 4]) << 8);
        if (static_cast<uint16_t>(~nLength) != nComplement)
            return "LEN and NLEN disagree";
        nOffset += 5;
        if (nOffset + nLength > stream.size())
            return "stored block runs past the stream";
        data.append(stream, nOffset, nLength);
        nOffset += nLength;
    }
    if (nOffset + 4 != stream.size())
        return "bytes after the Adler-32";
    if (ReadBigEndian32(stream, nOffset) != ComputeAdler32(data.data(), data.size()))
        return "Adler-32 mismatch";
    return std::string();
}
}

std::string DecodeStoredPng(const std::string& png, PixelImage& image)
{
    if (png.compare(0, 8, "\x89PNG\r\n\x1A\n", 8) != 0)
        return "no PNG signature";
    std::string stream;
    bool bEnd = false;
    for (size_t nOffset = 8; !bEnd;)
    {
        if (nOffset + 12 > png.size())
            return "file ends inside a chunk";
        uint32_t nLength = ReadBigEndian32(png, nOffset);
        if (nOffset + 12 + nLength > png.size())
            return "chunk runs past the file";
        std::string type = png.substr(nOffset + 4, 4);
        if (ReadBigEndian32(png, nOffset + 8 + nLength) != ComputeCrc32(png.data() + nOffset + 4, 4 + nLength))
            return "CRC mismatch in " + type;
        std::string data = png.substr(nOffset + 8, nLength);
        if (type == "IHDR")
        {
            if (nLength != 13 || data.compare(8, 5, std::string("\x08\x02\x00\x00\x00", 5)) != 0)
                return "IHDR is not 8-bit RGB";
            image.nWidth = static_cast<int>(ReadBigEndian32(data, 0));
            image.nHeight = static_cast<int>(ReadBigEndian32(data, 4));
        }
        else if (type == "IDAT")
            stream += data;
        else if (type == "IEND")
            bEnd = true;
        nOffset += 12 + nLength;
        if (bEnd && nOffset != png.size())
            return "bytes after IEND";
    }
    std::string scanlines;
    std::string error = InflateStored(stream, scanlines);
    if (!error.empty())
        return error;
    const size_t nRowBytes = static_cast<size_t>(image.nWidth) * 3;
    if (scanlines.size() != (nRowBytes + 1) * image.nHeight)
        return "pixel data has the wrong size";
    image.rgb.clear();
    for (int nRow = 0; nRow < image.nHeight; ++nRow)
    {
        if (scanlines[nRow * (nRowBytes + 1)] != 0)
            return "row filter is not 0";
        image.rgb.insert(image.rgb.end(), scanlines.begin() + nRow * (nRowBytes + 1) + 1,
                         scanlines.begin() + (nRow + 1) * (nRowBytes + 1));
    }
    return std::string();
}
