#include "download/image/checksum.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace tavo {
namespace {

// Slicing by eight: table k gives the effect of a byte followed by k zero
// bytes, so eight bytes are folded in with eight lookups and no loop over bits.
struct Tables {
  std::array<std::array<std::uint32_t, 256>, 8> t{};
  Tables() {
    for (std::uint32_t b = 0; b < 256; ++b) {
      std::uint32_t crc = b;
      for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ kChecksumPolynomial : crc >> 1;
      t[0][b] = crc;
    }
    for (std::uint32_t b = 0; b < 256; ++b)
      for (int k = 1; k < 8; ++k) t[k][b] = (t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF];
  }
};

const Tables& TheTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

std::uint32_t UpdateChecksum(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
  const auto& t = TheTables().t;
  const std::uint8_t* p = bytes.data();
  std::size_t n = bytes.size();
  while (n >= 8) {
    const std::uint32_t lo = crc ^ (std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                    std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24);
    crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    p += 8;
    n -= 8;
  }
  while (n--) crc = (crc >> 8) ^ t[0][(crc ^ *p++) & 0xFF];
  return crc;
}

std::uint32_t ChecksumBitwise(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = kChecksumStart;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ kChecksumPolynomial : crc >> 1;
  }
  return crc;
}

bool FileChecksum(const std::filesystem::path& path, std::uint32_t& checksum) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<std::uint8_t> buffer(32768);
  std::uint32_t crc = kChecksumStart;
  while (in) {
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    crc = UpdateChecksum(crc, std::span(buffer.data(), got));
  }
  if (in.bad()) return false;
  checksum = crc;
  return true;
}

std::vector<std::uint8_t> EncodeChecksumList(std::span<const ChecksumEntry> entries) {
  std::vector<std::uint8_t> out;
  out.reserve(entries.size() * kChecksumRecordSize);
  for (const ChecksumEntry& e : entries) {
    const std::size_t length = std::min<std::size_t>(e.name.size(), 12);
    out.push_back(static_cast<std::uint8_t>(length));
    for (std::size_t i = 0; i < 12; ++i)
      out.push_back(i < length ? static_cast<std::uint8_t>(e.name[i]) : 0);
    for (int shift = 0; shift < 32; shift += 8)
      out.push_back(static_cast<std::uint8_t>(e.checksum >> shift));
  }
  return out;
}

}  // namespace tavo
