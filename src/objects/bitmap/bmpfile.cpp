#include "objects/bitmap/bmpfile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <iterator>
#include <vector>

#include "shell/safefile.h"

namespace tavo {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
  }
  std::uint32_t U32(std::size_t at) const {
    return std::uint32_t(data_[at]) | (std::uint32_t(data_[at + 1]) << 8) |
           (std::uint32_t(data_[at + 2]) << 16) | (std::uint32_t(data_[at + 3]) << 24);
  }
  std::uint8_t operator[](std::size_t at) const { return data_[at]; }
  std::size_t size() const { return data_.size(); }

 private:
  std::span<const std::uint8_t> data_;
};

// One colour channel described by a bit mask, scaled to eight bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    bits = std::popcount(m >> shift);
    if (bits > 8) {  // keep the eight most significant bits of a wide field
      shift += bits - 8;
      bits = 8;
    }
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t max = (1u << bits) - 1;
    const std::uint32_t v = (pixel >> shift) & max;
    return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
  }
};

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

struct Header {
  std::int64_t width = 0;
  std::int64_t height = 0;  // positive after taking the direction out
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::vector<std::uint16_t> palette;
  std::array<Channel, 3> channels;  // red, green, blue
};

void DefaultChannels(Header& h) {
  if (h.bitCount == 16)
    h.channels = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
  else
    h.channels = {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
}

bool ReadHeader(const Bytes& in, Header& h, std::size_t& pixelOffset, std::string* error) {
  if (!in.Has(0, kFileHeaderSize + 4) || in[0] != 'B' || in[1] != 'M')
    return Fail(error, "not a BMP file");
  pixelOffset = in.U32(10);
  const std::uint32_t infoSize = in.U32(kFileHeaderSize);
  const std::size_t info = kFileHeaderSize;
  std::size_t paletteAt = 0;
  int paletteEntrySize = 4;
  std::uint32_t colours = 0;
  if (infoSize == kCoreHeaderSize) {
    if (!in.Has(info, kCoreHeaderSize)) return Fail(error, "BMP header cut short");
    h.width = in.U16(info + 4);
    h.height = in.U16(info + 6);
    h.bitCount = in.U16(info + 10);
    paletteAt = info + kCoreHeaderSize;
    paletteEntrySize = 3;
  } else if (infoSize >= kInfoHeaderSize && infoSize <= 4096) {
    if (!in.Has(info, infoSize)) return Fail(error, "BMP header cut short");
    h.width = static_cast<std::int32_t>(in.U32(info + 4));
    const auto height = static_cast<std::int32_t>(in.U32(info + 8));
    h.topDown = height < 0;
    h.height = h.topDown ? -std::int64_t(height) : height;
    h.bitCount = in.U16(info + 14);
    h.compression = in.U32(info + 16);
    colours = in.U32(info + 32);
    paletteAt = info + infoSize;
    DefaultChannels(h);
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
      std::size_t masks = info + kInfoHeaderSize;
      if (infoSize == kInfoHeaderSize) {
        // The masks follow a plain info header, in front of any palette.
        const std::size_t count = h.compression == kBiAlphaBitfields ? 4 : 3;
        if (!in.Has(masks, 4 * count)) return Fail(error, "BMP colour masks missing");
        paletteAt += 4 * count;
      }
      if (!in.Has(masks, 12)) return Fail(error, "BMP colour masks missing");
      h.channels = {Channel(in.U32(masks)), Channel(in.U32(masks + 4)), Channel(in.U32(masks + 8))};
    }
  } else {
    return Fail(error, "unknown BMP header size");
  }
  if (h.width <= 0 || h.height <= 0) return Fail(error, "BMP without pixels");
  if (h.width * h.height > kMaxBitmapPixels) return Fail(error, "BMP too large");
  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return Fail(error, "unsupported BMP bit depth");
  }
  const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
  if (h.compression == kBiRle8 && h.bitCount != 8) return Fail(error, "bad RLE8 bitmap");
  if (h.compression == kBiRle4 && h.bitCount != 4) return Fail(error, "bad RLE4 bitmap");
  if (rle && h.topDown) return Fail(error, "top-down RLE bitmap");
  if (!rle && h.compression != kBiRgb &&
      !((h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) &&
        (h.bitCount == 16 || h.bitCount == 32)))
    return Fail(error, "unsupported BMP compression");
  if (h.bitCount <= 8) {
    const std::uint32_t full = 1u << h.bitCount;
    if (colours == 0 || colours > full) colours = full;
    // A palette cut short by the pixel data or the file leaves the rest black.
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::size_t at = paletteAt + i * paletteEntrySize;
      if (!in.Has(at, 3) || (pixelOffset >= paletteAt && at + 3 > pixelOffset)) break;
      h.palette.push_back(Pack16(in[at + 2], in[at + 1], in[at]));
    }
    h.palette.resize(full, 0);
  }
  return true;
}

// Pixel rows of an uncompressed file; rows the file lacks stay black. False
// when rows were missing.
bool DecodeRows(const Bytes& in, const Header& h, std::size_t offset, Image16& out) {
  const std::size_t stride = ((std::size_t(h.width) * h.bitCount + 31) / 32) * 4;
  for (std::int64_t row = 0; row < h.height; ++row) {
    const std::size_t at = offset + std::size_t(row) * stride;
    const std::int64_t y = h.topDown ? row : h.height - 1 - row;
    std::uint16_t* dst = out.pixels.data() + y * h.width;
    if (!in.Has(at, stride)) return false;
    for (std::int64_t x = 0; x < h.width; ++x) {
      switch (h.bitCount) {
        case 1:
          dst[x] = h.palette[(in[at + x / 8] >> (7 - x % 8)) & 1];
          break;
        case 4:
          dst[x] = h.palette[(in[at + x / 2] >> (x % 2 ? 0 : 4)) & 0x0F];
          break;
        case 8:
          dst[x] = h.palette[in[at + x]];
          break;
        case 16: {
          const std::uint32_t p = in.U16(at + 2 * x);
          dst[x] = Pack16(h.channels[0].Of(p), h.channels[1].Of(p), h.channels[2].Of(p));
          break;
        }
        case 24: {
          const std::size_t p = at + 3 * x;
          dst[x] = Pack16(in[p + 2], in[p + 1], in[p]);
          break;
        }
        default: {
          const std::uint32_t p = in.U32(at + 4 * x);
          dst[x] = Pack16(h.channels[0].Of(p), h.channels[1].Of(p), h.channels[2].Of(p));
          break;
        }
      }
    }
  }
  return true;
}

// Run-length coded 4- and 8-bit files (always bottom-up). False when the
// data ends before the image does.
bool DecodeRle(const Bytes& in, const Header& h, std::size_t at, Image16& out) {
  const bool four = h.compression == kBiRle4;
  std::int64_t x = 0, row = 0;
  auto put = [&](std::uint8_t index) {
    if (x < h.width && row < h.height)
      out.pixels[(h.height - 1 - row) * h.width + x] = h.palette[index];
    ++x;
  };
  while (in.Has(at, 2) && row < h.height) {
    const std::uint8_t count = in[at], value = in[at + 1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return true;  // end of the bitmap
    } else if (value == 2) {
      if (!in.Has(at, 2)) return false;
      x += in[at];
      row += in[at + 1];
      at += 2;
    } else {
      const std::size_t bytes = four ? (value + 1) / 2 : value;
      if (!in.Has(at, bytes)) return false;
      for (int i = 0; i < value; ++i)
        put(four ? (i % 2 ? in[at + i / 2] & 0x0F : in[at + i / 2] >> 4) : in[at + i]);
      at += (bytes + 1) & ~std::size_t{1};  // absolute runs are word aligned
    }
  }
  // Without its end mark the data is still whole when the last row is full.
  return row >= h.height || (row == h.height - 1 && x >= h.width);
}

}  // namespace

bool DecodeBmp16(std::span<const std::uint8_t> file, Image16& out, std::string* error,
                 std::string* damage) {
  out = Image16{};
  if (damage) damage->clear();
  const Bytes in(file);
  Header h;
  std::size_t offset = 0;
  if (!ReadHeader(in, h, offset, error)) return false;
  if (offset >= file.size()) return Fail(error, "BMP without pixel data");
  out.width = static_cast<int>(h.width);
  out.height = static_cast<int>(h.height);
  out.pixels.assign(std::size_t(h.width * h.height), 0);
  const bool complete = h.compression == kBiRle8 || h.compression == kBiRle4
                            ? DecodeRle(in, h, offset, out)
                            : DecodeRows(in, h, offset, out);
  if (!complete && damage) *damage = "pixel data cut short; the missing part is black";
  return true;
}

bool LoadBmp16(const std::filesystem::path& path, Image16& out, std::string* error,
               std::string* damage) {
  out = Image16{};
  if (damage) damage->clear();
  // Only a file: a pipe or a device in its place would never end.
  if (std::string why = WhyUnreadable(path); !why.empty()) return Fail(error, why);
  std::ifstream file(path, std::ios::binary);
  if (!file) return Fail(error, "cannot open the file");
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
  if (file.bad()) return Fail(error, "cannot read the file");
  return DecodeBmp16(bytes, out, error, damage);
}

bool ReadBmpSize(const std::filesystem::path& path, int& width, int& height) {
  if (!WhyUnreadable(path).empty()) return false;
  std::ifstream file(path, std::ios::binary);
  std::array<std::uint8_t, 26> head{};
  if (!file.read(reinterpret_cast<char*>(head.data()), head.size())) return false;
  const Bytes in(head);
  if (in[0] != 'B' || in[1] != 'M') return false;
  if (in.U32(14) == kCoreHeaderSize) {
    width = in.U16(18);
    height = in.U16(20);
  } else {
    width = static_cast<std::int32_t>(in.U32(18));
    // Negative heights mark top-down files; the most negative one has no
    // positive counterpart.
    const auto h = static_cast<std::int64_t>(static_cast<std::int32_t>(in.U32(22)));
    if (h < -std::int64_t{INT32_MAX}) return false;
    height = static_cast<int>(h < 0 ? -h : h);
  }
  return width > 0 && height > 0;
}

}  // namespace tavo
