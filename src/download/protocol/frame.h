#pragma once
// Frames of the transfer protocol, shared by the editor's side and the
// virtual terminal: station, 16-bit length (high byte first), data, and a
// 16-bit check value (low byte first).

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavo {

// Station, two length bytes and two check bytes around the data.
inline constexpr std::size_t kFrameOverhead = 5;
inline constexpr std::uint16_t kFrameCrcStart = 0xFFFF;

enum RequestCode : std::uint8_t {
  kReqVersion = 0,
  kReqGetDrive = 1,
  kReqSetDrive = 2,
  kReqGetDir = 3,
  kReqSetDir = 4,
  kReqMakeDir = 5,
  kReqDelDir = 6,
  kReqFirstDir = 7,
  kReqNextDir = 8,
  kReqDelFile = 9,
  kReqSend = 10,
  kReqReceive = 11,
  kReqSpeed = 12,
  kReqQuit = 13,
  kReqMode = 14,
  kReqFormat = 15,
  kReqDiskSize = 16,
};

// CRC-16, least significant bit first, polynomial 0x8345 (reflected), no
// final inversion. Continuing it over a frame's own check bytes gives 0.
std::uint16_t FrameCrc(std::span<const std::uint8_t> bytes, std::uint16_t crc = kFrameCrcStart);

// The whole frame for `data` (at most 65535 bytes).
std::vector<std::uint8_t> BuildFrame(std::uint8_t station, std::span<const std::uint8_t> data);

// The bit rates of the index table 1 .. 12 (1 = 115200 ... 12 = 300); 0 for
// any other index.
int RateOfIndex(int index);
// The index of `rate` in the table, or 0.
int IndexOfRate(int rate);

// Milliseconds `bytes` take on a line at `rate` bit/s (ten bits a byte),
// rounded up.
int LineTimeMs(std::size_t bytes, int rate);

// Little-endian fields.
inline void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace tavo
