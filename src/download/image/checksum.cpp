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

std::uint32_t Load32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

// Slicing by eight over one stream: each step's lookups wait for the
// previous step's result, so a single stream leaves most of the processor's
// load ports idle.
std::uint32_t UpdateOneStream(std::uint32_t crc, const std::uint8_t* p, std::size_t n,
                              const Tables& tables) {
  const auto& t = tables.t;
  while (n >= 8) {
    const std::uint32_t lo = crc ^ Load32(p);
    crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
          t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    p += 8;
    n -= 8;
  }
  while (n--) crc = (crc >> 8) ^ t[0][(crc ^ *p++) & 0xFF];
  return crc;
}

// Product of two polynomials modulo the checksum polynomial, both in the
// reflected form (bit 31 is x^0).
std::uint32_t MultiplyModP(std::uint32_t a, std::uint32_t b) {
  std::uint32_t product = 0;
  for (std::uint32_t m = 0x80000000u; m != 0 && a != 0; m >>= 1) {
    if (a & m) {
      product ^= b;
      a ^= m;
    }
    b = (b & 1) ? (b >> 1) ^ kChecksumPolynomial : b >> 1;
  }
  return product;
}

// x^(8 * bytes) modulo the polynomial: running `bytes` zero bytes through
// the register multiplies it by this.
std::uint32_t ZeroBytesOperator(std::size_t bytes) {
  std::uint32_t power = 0x80000000u;   // x^0
  std::uint32_t square = 0x00800000u;  // x^8, squared for every bit of `bytes`
  for (; bytes != 0; bytes >>= 1) {
    if (bytes & 1) power = MultiplyModP(power, square);
    square = MultiplyModP(square, square);
  }
  return power;
}

}  // namespace

std::uint32_t UpdateChecksum(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
  const Tables& tables = TheTables();
  const std::uint8_t* p = bytes.data();
  std::size_t n = bytes.size();
  // Large buffers run as three interleaved streams whose registers are
  // independent; the register is linear in its start value and the data,
  // so the streams' results combine exactly: the first two are carried
  // over the bytes that follow them (multiplied by x^(8 * length)).
  constexpr std::size_t kMinStream = 4096;
  if (n >= 3 * kMinStream) {
    const std::size_t part = (n / 3) & ~std::size_t{7};
    const std::uint8_t* p1 = p + part;
    const std::uint8_t* p2 = p1 + part;
    const auto& t = tables.t;
    std::uint32_t c0 = crc, c1 = 0, c2 = 0;
    for (std::size_t i = 0; i < part; i += 8) {
      const std::uint32_t a = c0 ^ Load32(p + i);
      const std::uint32_t b = c1 ^ Load32(p1 + i);
      const std::uint32_t c = c2 ^ Load32(p2 + i);
      c0 = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^
           t[3][p[i + 4]] ^ t[2][p[i + 5]] ^ t[1][p[i + 6]] ^ t[0][p[i + 7]];
      c1 = t[7][b & 0xFF] ^ t[6][(b >> 8) & 0xFF] ^ t[5][(b >> 16) & 0xFF] ^ t[4][b >> 24] ^
           t[3][p1[i + 4]] ^ t[2][p1[i + 5]] ^ t[1][p1[i + 6]] ^ t[0][p1[i + 7]];
      c2 = t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
           t[3][p2[i + 4]] ^ t[2][p2[i + 5]] ^ t[1][p2[i + 6]] ^ t[0][p2[i + 7]];
    }
    const std::uint32_t shift = ZeroBytesOperator(part);
    crc = MultiplyModP(MultiplyModP(c0, shift) ^ c1, shift) ^ c2;
    p += 3 * part;
    n -= 3 * part;
  }
  return UpdateOneStream(crc, p, n, tables);
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
