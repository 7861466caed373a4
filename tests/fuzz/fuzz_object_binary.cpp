// Binary object records: read every record of the input, write the objects
// back, and read that again; the second writing must equal the first.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "objects/binary.h"
#include "objects/objectkinds.h"

namespace {

std::vector<std::uint8_t> ReadAndWrite(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> out;
  const tavo::ByteReader read = tavo::MemoryReader(data, size);
  for (;;) {
    tavo::RecordRead record = tavo::ReadObjectRecord(read);
    if (record.endOfData) break;
    if (record.object) {
      record.object->HitTest(20, 20);
      record.object->WriteBinary(out);
    }
    if (record.object && !record.complete) break;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> first = ReadAndWrite(data, size);
  const std::vector<std::uint8_t> second = ReadAndWrite(first.data(), first.size());
  if (second != first) std::abort();
  return 0;
}
