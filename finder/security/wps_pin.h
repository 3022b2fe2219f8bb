// The eight-digit WPS PIN that the secure WPS exchange generates, with its checksum digit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace yov {

constexpr size_t kWpsPinLength = 8;

// The WPS checksum digit of a seven-digit number.
int WpsPinChecksum(uint32_t seven_digits);

// Writes "%08d" of a PIN derived from `now_seconds` (a 64-bit count of seconds) into a zeroed
// `buffer`: seven digits from its three low bytes and the checksum digit. False, writing
// nothing, when `buffer` is NULL or shorter than 8 bytes.
bool GenerateWpsPin(char* buffer, size_t size, int64_t now_seconds);

// The same from the current time.
bool GenerateWpsPin(char* buffer, size_t size);

}  // namespace yov
