// Reads back the PNG files the driver writes (stored deflate blocks only), checking every length and checksum.
#pragma once

#include <string>

#include "PixelImage.h"

// Empty error on success; otherwise what is wrong with the file.
std::string DecodeStoredPng(const std::string& png, PixelImage& image);
