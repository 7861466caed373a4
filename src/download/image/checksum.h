#pragma once
// The terminal's file checksum: a 32-bit CRC processed least significant bit
// first with the reflected polynomial 81634527 (hex), start value FFFFFFFF and
// no final inversion. The terminal compares it to decide which files an
// optimised download may skip.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tavo {

inline constexpr std::uint32_t kChecksumPolynomial = 0x81634527;
inline constexpr std::uint32_t kChecksumStart = 0xFFFFFFFF;

// Continues a checksum over more bytes (table-driven, eight bytes a step;
// large buffers as three interleaved streams).
std::uint32_t UpdateChecksum(std::uint32_t crc, std::span<const std::uint8_t> bytes);
inline std::uint32_t Checksum(std::span<const std::uint8_t> bytes) {
  return UpdateChecksum(kChecksumStart, bytes);
}

// The same checksum one bit at a time: the definition the fast form is
// measured against.
std::uint32_t ChecksumBitwise(std::span<const std::uint8_t> bytes);

// Checksum of a file's content, read in 32 KiB blocks. False when the file
// cannot be opened or read.
bool FileChecksum(const std::filesystem::path& path, std::uint32_t& checksum);

// One entry of the checksum list and of the terminal's file "Files.LST".
struct ChecksumEntry {
  std::string name;  // as listed, cut to 12 characters
  std::uint32_t checksum = 0;
};
inline constexpr std::size_t kChecksumRecordSize = 17;
inline constexpr std::size_t kMaxChecksumEntries = 1000;

// The 17-byte records: s[12] name (length byte, 12 characters, zero filled)
// and the checksum little-endian.
std::vector<std::uint8_t> EncodeChecksumList(std::span<const ChecksumEntry> entries);

}  // namespace tavo
