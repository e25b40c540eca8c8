// Writes a PixelImage as a PNG file: 8-bit RGB, a zlib stream of stored (uncompressed) deflate blocks.
#pragma once

#include <string>

#include "PixelImage.h"

// The whole PNG file's bytes.
std::string EncodePng(const PixelImage& image);

// Throws CDriverError when the file cannot be written.
void SavePng(const PixelImage& image, const std::string& path);
