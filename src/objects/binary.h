#pragma once
// Byte-level forms of the binary object records: little-endian integers and
// 6-byte reals, written into a byte buffer and read through a callback that
// fills a buffer with the next n bytes and answers how many it delivered.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace tavo {

using ByteSink = std::vector<std::uint8_t>;
using ByteReader = std::function<std::size_t(std::uint8_t* buffer, std::size_t count)>;

void PutU8(ByteSink& out, std::uint8_t value);
void PutI16(ByteSink& out, std::int16_t value);
void PutReal48(ByteSink& out, double value);

// Reads fields of one record. After the first short read every further read
// fails without calling the reader again, and the failed field keeps the
// value it had, so a truncated record never stores half a number.
class BinaryIn {
 public:
  explicit BinaryIn(const ByteReader& reader) : reader_(reader) {}
  bool U8(std::uint8_t& value);
  bool I16(std::int16_t& value);
  bool Real(double& value);
  bool ok() const { return ok_; }

 private:
  bool Fill(std::uint8_t* buffer, std::size_t count);
  const ByteReader& reader_;
  bool ok_ = true;
};

// A reader over a byte range, for tests, the clipboard and fuzzing.
ByteReader MemoryReader(const std::uint8_t* data, std::size_t size);

}  // namespace tavo
