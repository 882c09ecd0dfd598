#pragma once
// Text is UTF-8 inside the program; files, the log and the network carry CP932 (Shift_JIS).
// These are the only conversions between the two.
#include <cstddef>
#include <string>

// UTF-8 -> CP932. Characters CP932 cannot hold become '?'.
std::string Utf8ToCp932(const std::string& utf8);
// CP932 -> UTF-8. Invalid byte sequences become U+FFFD.
std::string Cp932ToUtf8(const std::string& cp932);
// The number of bytes the UTF-8 text takes in CP932: the one measure for widths, limits and
// lead bytes wherever the game counts bytes.
size_t Cp932Length(const std::string& utf8);
// The longest start of a UTF-8 text that takes at most `bytes` bytes in CP932 (whole characters).
std::string CutToCp932Bytes(const std::string& utf8, size_t bytes);
// True when CP932 conversion works on this machine (the start-up language check).
bool Cp932ConversionWorks();
