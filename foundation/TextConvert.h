#pragma once
// Numbers read from and written to text, and texts split into pieces.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// 0 for "", -1 for 20 or more characters, else the base-10 number at the text's start (0 when
// none), clamped to the int range.
int StrToInt(const std::string& text);
// A whole decimal 32-bit number and nothing else ("-12", "0"; not "", "+1", " 1", "1x", or a
// number out of range); nothing otherwise. For texts from outside that must be exactly a number.
std::optional<int32_t> ParseWholeInt32(const std::string& text);
// The same with base 16.
int HexStrToInt(const std::string& text);
// 0.0 for "", -1.0 for 64 or more characters, else the decimal number at the text's start.
double StrToDouble(const std::string& text);
// The value, or the nearest end of the int range when it lies outside.
int ClampToInt(long long v);
// "%d"
std::string IntToString(int value);
// The pieces between separators, empty ones included; "" gives one empty piece, "a," gives
// "a" and "".
std::vector<std::string> SplitString(const std::string& text, char separator);
