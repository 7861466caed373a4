#include "objects/binary.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "objects/real48.h"

namespace tavo {

void PutU8(ByteSink& out, std::uint8_t value) {
  out.push_back(value);
}

void PutI16(ByteSink& out, std::int16_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  out.push_back(static_cast<std::uint8_t>(bits & 0xFF));
  out.push_back(static_cast<std::uint8_t>(bits >> 8));
}

void PutReal48(ByteSink& out, double value) {
  const Real48 bytes = EncodeReal48(value);
  out.insert(out.end(), bytes.begin(), bytes.end());
}

bool BinaryIn::Fill(std::uint8_t* buffer, std::size_t count) {
  if (!ok_) return false;
  std::size_t got = reader_ ? reader_(buffer, count) : 0;
  if (got < count) ok_ = false;
  return ok_;
}

bool BinaryIn::U8(std::uint8_t& value) {
  std::uint8_t byte = 0;
  if (!Fill(&byte, 1)) return false;
  value = byte;
  return true;
}

bool BinaryIn::I16(std::int16_t& value) {
  std::uint8_t bytes[2] = {};
  if (!Fill(bytes, 2)) return false;
  value = static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
  return true;
}

bool BinaryIn::Real(double& value) {
  Real48 bytes{};
  if (!Fill(bytes.data(), bytes.size())) return false;
  value = DecodeReal48(bytes);
  return true;
}

ByteReader MemoryReader(const std::uint8_t* data, std::size_t size) {
  auto position = std::make_shared<std::size_t>(0);
  return [data, size, position](std::uint8_t* buffer, std::size_t count) {
    const std::size_t n = std::min(count, size - *position);
    if (n > 0) std::memcpy(buffer, data + *position, n);
    *position += n;
    return n;
  };
}

}  // namespace tavo
