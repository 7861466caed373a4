#include "download/protocol/frame.h"

namespace tavo {

std::uint16_t FrameCrc(std::span<const std::uint8_t> bytes, std::uint16_t crc) {
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8345)
                      : static_cast<std::uint16_t>(crc >> 1);
  }
  return crc;
}

std::vector<std::uint8_t> BuildFrame(std::uint8_t station, std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> frame;
  frame.reserve(data.size() + kFrameOverhead);
  frame.push_back(station);
  frame.push_back(static_cast<std::uint8_t>(data.size() >> 8));
  frame.push_back(static_cast<std::uint8_t>(data.size()));
  frame.insert(frame.end(), data.begin(), data.end());
  const std::uint16_t crc = FrameCrc(frame);
  frame.push_back(static_cast<std::uint8_t>(crc));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  return frame;
}

namespace {
constexpr int kRates[12] = {115200, 57600, 38400, 28800, 19200, 14400,
                            9600,   4800,  2400,  1200,  600,   300};
}

int RateOfIndex(int index) {
  return index >= 1 && index <= 12 ? kRates[index - 1] : 0;
}

int IndexOfRate(int rate) {
  for (int i = 0; i < 12; ++i)
    if (kRates[i] == rate) return i + 1;
  return 0;
}

int LineTimeMs(std::size_t bytes, int rate) {
  if (rate <= 0) return 0;
  const long long bits = static_cast<long long>(bytes) * 10 * 1000;
  return static_cast<int>((bits + rate - 1) / rate);
}

}  // namespace tavo
