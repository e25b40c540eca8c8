// Text for failure messages: code page 932 (what the programs hold) as UTF-8 (what a terminal shows), or as hex.
#pragma once

#include <string>

std::string ConvertAcpToUtf8(const std::string& text);

// "95 5C 8E A6": how byte-exact comparisons of code page 932 text print when they fail.
std::string FormatHex(const std::string& bytes);
