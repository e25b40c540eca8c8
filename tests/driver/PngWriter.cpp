// Writes a PixelImage as a PNG file: 8-bit RGB, a zlib stream of stored (uncompressed) deflate blocks.
#include "PngWriter.h"

#include <windows.h>

#include "Checksums.h"
#include "DriverError.h"

namespace
{
constexpr size_t kStoredBlockLimit = 65535;  // LEN of a stored block is 16 bits

void AppendBigEndian32(std::string& out, uint32_t nValue)
{
    out += static_cast<char>(nValue >> 24);
    out += static_cast<char>(nValue >> 16);
    out += static_cast<char>(nValue >> 8);
    out += static_cast<char>(nValue);
}

void AppendChunk(std::string& out, const char* pszType, const std::string& data)
{
    AppendBigEndian32(out, static_cast<uint32_t>(data.size()));
    std::string typeAndData = std::string(pszType, 4) + data;
    out += typeAndData;
    AppendBigEndian32(out, ComputeCrc32(typeAndData.data(), typeAndData.size()));
}

// Each row starts with filter type 0 (none).
std::string MakeScanlines(const PixelImage& image)
{
    const size_t nRowBytes = static_cast<size_t>(image.nWidth) * 3;
    std::string scanlines;
    scanlines.reserve((nRowBytes + 1) * image.nHeight);
    for (int nRow = 0; nRow < image.nHeight; ++nRow)
    {
        scanlines += '\0';
        scanlines.append(reinterpret_cast<const char*>(image.rgb.data()) + nRow * nRowBytes, nRowBytes);
    }
    return scanlines;
}

std::string MakeStoredZlibStream(const std::string& data)
{
    std::string stream = "\x78\x01";  // deflate, 32 KiB window, no dictionary; 0x7801 is a multiple of 31
    size_t nOffset = 0;
    do
    {
        size_t nLength = data.size() - nOffset < kStoredBlockLimit ? data.size() - nOffset : kStoredBlockLimit;
        bool bFinal = nOffset + nLength == data.size();
        stream += static_cast<char>(bFinal ? 1 : 0);  // BFINAL, BTYPE 00; the rest of the byte pads to the boundary
        stream += static_cast<char>(nLength & 0xFF);
        stream += static_cast<char>(nLength >> 8);
        stream += static_cast<char>(~nLength & 0xFF);
        stream += static_cast<char>((~nLength >> 8) & 0xFF);
        stream.append(data, nOffset, nLength);
        nOffset += nLength;
    } while (nOffset < data.size());
    AppendBigEndian32(stream, ComputeAdler32(data.data(), data.size()));
    return stream;
}
}

std::string EncodePng(const PixelImage& image)
{
    std::string png = "\x89PNG\r\n\x1A\n";
    std::string header;
    AppendBigEndian32(header, static_cast<uint32_t>(image.nWidth));
    AppendBigEndian32(header, static_cast<uint32_t>(image.nHeight));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", MakeStoredZlibStream(MakeScanlines(image)));
    AppendChunk(png, "IEND", std::string());
    return png;
}

void SavePng(const PixelImage& image, const std::string& path)
{
    std::string png = EncodePng(image);
    HANDLE hFile = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD nWritten = 0;
    bool bOk = hFile != INVALID_HANDLE_VALUE &&
               WriteFile(hFile, png.data(), static_cast<DWORD>(png.size()), &nWritten, nullptr) &&
               nWritten == png.size();
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    if (!bOk)
        throw CDriverError("cannot write the screenshot " + path);
}
