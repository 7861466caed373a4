// Builds the installed terminal font set (data/fonts) and the built-in
// fallback glyph table from freely licensed console fonts: the PSF fonts of
// console-setup-linux and the misc-fixed PCF fonts of xfonts-base. Glyphs are
// looked up by Unicode and placed at the terminal's PC code page positions.
//
//   fontbuild --consolefonts /usr/share/consolefonts
//             --miscfonts /usr/share/fonts/X11/misc
//             --output data/fonts
//             --fallback src/resources/fallbackfont.cpp
//
// The output depends only on the source fonts, so rebuilding from the same
// package versions gives byte-identical files.

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "resources/dymfile.h"
#include "resources/fonts.h"

namespace fs = std::filesystem;

namespace {

// Unicode of each code of the terminal code page (the PC layout), with
// look-alikes to try when a source font lacks the first choice.
const std::vector<std::vector<char32_t>>& TerminalCodePage() {
  static const std::vector<std::vector<char32_t>> table = [] {
    std::vector<std::vector<char32_t>> t(256);
    const char32_t low[32] = {0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
                              0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
                              0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
                              0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};
    const char32_t high[128] = {
        0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
        0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
        0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1,
        0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD,
        0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562,
        0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534,
        0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
        0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
        0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393,
        0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6,
        0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0,
        0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};
    for (int i = 0; i < 32; ++i) t[i] = {low[i]};
    for (int i = 32; i < 127; ++i) t[i] = {char32_t(i)};
    t[127] = {0x2302};
    for (int i = 0; i < 128; ++i) t[128 + i] = {high[i]};
    auto also = [&](int code, std::initializer_list<char32_t> more) {
      t[code].insert(t[code].end(), more);
    };
    also(0x07, {0x25CF, 0x00B7});
    also(0xE1, {0x03B2});
    also(0xE6, {0x03BC});
    also(0xED, {0x03D5, 0x00F8});
    also(0xEE, {0x2208});
    also(0xF9, {0x00B7});
    also(0xFA, {0x2219});
    also(0xFE, {0x25AE});
    also(0xFF, {0x0020});
    return t;
  }();
  return table;
}

struct SourceFont {
  int width = 0;
  int height = 0;
  // Rows of each glyph as bit masks, bit (width - 1 - c) for column c.
  std::vector<std::vector<std::uint32_t>> glyphs;
  std::map<char32_t, int> byUnicode;
};

std::optional<std::vector<std::uint8_t>> ReadMaybeCompressed(const fs::path& path) {
  gzFile in = gzopen(path.string().c_str(), "rb");
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> data;
  std::array<std::uint8_t, 65536> chunk;
  int got;
  while ((got = gzread(in, chunk.data(), chunk.size())) > 0) {
    data.insert(data.end(), chunk.begin(), chunk.begin() + got);
  }
  gzclose(in);
  if (got < 0) return std::nullopt;
  return data;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& d, std::size_t at) {
  if (at + 4 > d.size()) throw std::runtime_error("truncated font");
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (std::uint32_t(d[at + 3]) << 24);
}

// PSF version 1 or 2 with its Unicode table.
SourceFont ReadPsf(const std::vector<std::uint8_t>& d) {
  SourceFont font;
  std::size_t glyphCount, glyphBytes, offset;
  bool hasTable;
  bool psf1 = d.size() >= 4 && d[0] == 0x36 && d[1] == 0x04;
  if (psf1) {
    font.width = 8;
    font.height = d[3];
    glyphCount = (d[2] & 1) ? 512 : 256;
    glyphBytes = font.height;
    offset = 4;
    hasTable = (d[2] & 6) != 0;
  } else if (d.size() >= 32 && Le32(d, 0) == 0x864AB572u) {
    offset = Le32(d, 8);
    hasTable = Le32(d, 12) & 1;
    glyphCount = Le32(d, 16);
    glyphBytes = Le32(d, 20);
    font.height = int(Le32(d, 24));
    font.width = int(Le32(d, 28));
  } else {
    throw std::runtime_error("not a PSF font");
  }
  const std::size_t rowBytes = (font.width + 7) / 8;
  if (offset + glyphCount * glyphBytes > d.size() || font.width > 32)
    throw std::runtime_error("truncated PSF font");
  for (std::size_t g = 0; g < glyphCount; ++g) {
    std::vector<std::uint32_t> rows(font.height);
    for (int r = 0; r < font.height; ++r) {
      std::uint32_t bits = 0;
      for (std::size_t b = 0; b < rowBytes; ++b)
        bits = (bits << 8) | d[offset + g * glyphBytes + r * rowBytes + b];
      rows[r] = bits >> (rowBytes * 8 - font.width);
    }
    font.glyphs.push_back(rows);
  }
  if (!hasTable) {
    for (int i = 0; i < 256; ++i) font.byUnicode.emplace(char32_t(i), i);
    return font;
  }
  std::size_t at = offset + glyphCount * glyphBytes;
  for (std::size_t g = 0; g < glyphCount && at < d.size(); ++g) {
    bool inSequence = false;
    if (psf1) {
      while (at + 1 < d.size()) {
        const char32_t u = d[at] | (d[at + 1] << 8);
        at += 2;
        if (u == 0xFFFF) break;
        if (u == 0xFFFE) inSequence = true;
        if (!inSequence) font.byUnicode.emplace(u, int(g));
      }
    } else {
      while (at < d.size()) {
        const std::uint8_t lead = d[at];
        if (lead == 0xFF) {
          ++at;
          break;
        }
        if (lead == 0xFE) {
          inSequence = true;
          ++at;
          continue;
        }
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t u = extra == 0 ? lead : lead & (0x3F >> extra);
        ++at;
        for (int i = 0; i < extra && at < d.size(); ++i) u = (u << 6) | (d[at++] & 0x3F);
        if (!inSequence) font.byUnicode.emplace(u, int(g));
      }
    }
  }
  return font;
}

// X11 PCF font (misc-fixed): metrics, bitmaps and the encoding table.
SourceFont ReadPcf(const std::vector<std::uint8_t>& d) {
  if (d.size() < 8 || Le32(d, 0) != 0x70636601u) throw std::runtime_error("not a PCF font");
  struct Table {
    std::uint32_t format, offset;
  };
  std::map<std::uint32_t, Table> tables;
  const std::uint32_t count = Le32(d, 4);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t e = 8 + 16 * i;
    tables[Le32(d, e)] = {Le32(d, e + 4), Le32(d, e + 12)};
  }
  auto rd = [&](std::size_t at, int bytes, bool msb) -> std::uint32_t {
    if (at + bytes > d.size()) throw std::runtime_error("truncated PCF font");
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = msb ? (v << 8) | d[at + i] : v | (d[at + i] << (8 * i));
    return v;
  };
  constexpr std::uint32_t kAccel = 1 << 1, kMetrics = 1 << 2, kBitmaps = 1 << 3,
                          kEncodings = 1 << 5, kBdfAccel = 1 << 8;
  struct Metric {
    int left, right, width, ascent, descent;
  };
  // Font ascent and descent give the cell.
  const Table accel = tables.count(kBdfAccel) ? tables[kBdfAccel] : tables.at(kAccel);
  const bool accelMsb = accel.format & 4;
  const int fontAscent = int(std::int32_t(rd(accel.offset + 12, 4, accelMsb)));
  const int fontDescent = int(std::int32_t(rd(accel.offset + 16, 4, accelMsb)));

  const Table met = tables.at(kMetrics);
  const bool metMsb = met.format & 4;
  std::vector<Metric> metrics;
  if (met.format & 0x100) {
    const int n = int(rd(met.offset + 4, 2, metMsb));
    for (int i = 0; i < n; ++i) {
      const std::size_t at = met.offset + 6 + 5 * i;
      metrics.push_back({int(d[at]) - 0x80, int(d[at + 1]) - 0x80, int(d[at + 2]) - 0x80,
                         int(d[at + 3]) - 0x80, int(d[at + 4]) - 0x80});
    }
  } else {
    const int n = int(rd(met.offset + 4, 4, metMsb));
    for (int i = 0; i < n; ++i) {
      const std::size_t at = met.offset + 8 + 12 * i;
      auto s16 = [&](int k) { return int(std::int16_t(rd(at + 2 * k, 2, metMsb))); };
      metrics.push_back({s16(0), s16(1), s16(2), s16(3), s16(4)});
    }
  }

  const Table bmp = tables.at(kBitmaps);
  const bool bmpMsb = bmp.format & 4;
  const bool bitMsb = bmp.format & 8;
  const int pad = 1 << (bmp.format & 3);
  const int n = int(rd(bmp.offset + 4, 4, bmpMsb));
  std::vector<std::uint32_t> glyphOffsets(n);
  for (int i = 0; i < n; ++i) glyphOffsets[i] = rd(bmp.offset + 8 + 4 * i, 4, bmpMsb);
  const std::size_t bitmapData = bmp.offset + 8 + 4 * n + 16;

  SourceFont font;
  font.width = metrics.empty() ? 0 : metrics[0].width;
  font.height = fontAscent + fontDescent;
  for (int g = 0; g < n && g < int(metrics.size()); ++g) {
    const Metric& m = metrics[g];
    const int w = m.right - m.left;
    const int rowBytes = ((w + 7) / 8 + pad - 1) / pad * pad;
    std::vector<std::uint32_t> rows(font.height, 0);
    for (int r = 0; r < m.ascent + m.descent; ++r) {
      const int y = fontAscent - m.ascent + r;
      if (y < 0 || y >= font.height) continue;
      for (int c = 0; c < w; ++c) {
        const std::size_t at = bitmapData + glyphOffsets[g] + r * rowBytes + c / 8;
        if (at >= d.size()) throw std::runtime_error("truncated PCF bitmap");
        const bool ink = bitMsb ? d[at] & (0x80 >> (c % 8)) : d[at] & (1 << (c % 8));
        const int x = m.left + c;
        if (ink && x >= 0 && x < font.width) rows[y] |= 1u << (font.width - 1 - x);
      }
    }
    font.glyphs.push_back(rows);
  }

  const Table enc = tables.at(kEncodings);
  const bool encMsb = enc.format & 4;
  const int minByte2 = int(rd(enc.offset + 4, 2, encMsb));
  const int maxByte2 = int(rd(enc.offset + 6, 2, encMsb));
  const int minByte1 = int(rd(enc.offset + 8, 2, encMsb));
  const int maxByte1 = int(rd(enc.offset + 10, 2, encMsb));
  std::size_t at = enc.offset + 14;
  for (int b1 = minByte1; b1 <= maxByte1; ++b1) {
    for (int b2 = minByte2; b2 <= maxByte2; ++b2, at += 2) {
      const std::uint32_t index = rd(at, 2, encMsb);
      if (index != 0xFFFF && int(index) < n) font.byUnicode.emplace(char32_t(b1 * 256 + b2), index);
    }
  }
  return font;
}

// The shade and block characters are pure geometry; console fonts often
// leave them out, so they are drawn here when the source lacks them.
bool SynthesizeBlock(int code, int width, int height, std::vector<std::uint32_t>& rows) {
  auto ink = [&](int x, int y) -> bool {
    switch (code) {
      case 0xB0:
        return (x + 2 * (y % 2)) % 4 == 2;
      case 0xB1:
        return (x + y) % 2 == 1;
      case 0xB2:
        return (x + 2 * (y % 2)) % 4 != 2;
      case 0xDB:
        return true;
      case 0xDC:
        return y >= height / 2;
      case 0xDD:
        return x < width / 2;
      case 0xDE:
        return x >= width / 2;
      case 0xDF:
        return y < height / 2;
      default:
        return false;
    }
  };
  if (code != 0xB0 && code != 0xB1 && code != 0xB2 && (code < 0xDB || code > 0xDF)) return false;
  for (int y = 0; y < height; ++y) {
    rows[y] = 0;
    for (int x = 0; x < width; ++x)
      if (ink(x, y)) rows[y] |= 1u << (width - 1 - x);
  }
  return true;
}

// The 256 glyphs in terminal code page order; codes the source lacks stay
// blank and are reported.
std::vector<std::vector<std::uint32_t>> TerminalGlyphs(const SourceFont& font,
                                                       const std::string& label) {
  std::vector<std::vector<std::uint32_t>> out(256, std::vector<std::uint32_t>(font.height, 0));
  std::vector<int> missing;
  for (int code = 0; code < 256; ++code) {
    bool found = false;
    for (char32_t u : TerminalCodePage()[code]) {
      auto it = font.byUnicode.find(u);
      if (it != font.byUnicode.end()) {
        out[code] = font.glyphs[it->second];
        found = true;
        break;
      }
    }
    if (!found) found = SynthesizeBlock(code, font.width, font.height, out[code]);
    if (!found && code != 0) missing.push_back(code);
  }
  if (!missing.empty()) {
    std::cerr << label << ": no glyph for";
    for (int code : missing) std::fprintf(stderr, " %02X", code);
    std::cerr << " (left blank)\n";
  }
  return out;
}

struct FontSpec {
  const char* fileName;
  const char* shortName;
  const char* description;
  const char* source;  // file below --consolefonts (.psf.gz) or --miscfonts (.pcf.gz)
  int width;           // the cell written; narrower sources are padded right
  int height;
};

// The installed set. The names in the first block are the ones the program
// and its projects refer to; keep their spelling.
const FontSpec kFontSet[] = {
    {"SYST_008.FON", "SYST_008", "System 8x8", "Uni2-VGA8.psf.gz", 8, 8},
    {"S006x008.fon", "S006X008", "Klein 6x8", "5x8.pcf.gz", 6, 8},
    {"3_______.FON", "3_______", "Skala 6x8", "5x8.pcf.gz", 6, 8},
    {"S008X016.FON", "S008X016", "Standard 8x16", "Uni2-VGA16.psf.gz", 8, 16},
    {"SYS_0816.FON", "SYS_0816", "System 8x16", "Uni2-VGA16.psf.gz", 8, 16},
    {"sys08x16.fon", "SYS08X16", "Editor 8x16", "Uni2-VGA16.psf.gz", 8, 16},
    {"S016x032.fon", "S016X032", "Gross 16x32", "Uni2-Terminus32x16.psf.gz", 16, 32},
    {"S006X012.FON", "S006X012", "Schmal 6x12", "Uni2-Terminus12x6.psf.gz", 6, 12},
    {"S008X014.FON", "S008X014", "Standard 8x14", "Uni2-VGA14.psf.gz", 8, 14},
    {"S010X020.FON", "S010X020", "Mittel 10x20", "Uni2-Terminus20x10.psf.gz", 10, 20},
    {"S012X024.FON", "S012X024", "Gross 12x24", "Uni2-Terminus24x12.psf.gz", 12, 24},
};

std::array<std::uint8_t, 31> Counted30(const std::string& text) {
  std::array<std::uint8_t, 31> r{};
  r[0] = std::uint8_t(std::min<std::size_t>(text.size(), 30));
  std::copy_n(text.begin(), r[0], r.begin() + 1);
  return r;
}

bool WriteFont(const fs::path& path, const FontSpec& entry,
               const std::vector<std::vector<std::uint32_t>>& glyphs, int sourceWidth) {
  fs::remove(path);
  tavo::t_dymfile file;
  if (file.Open(path.string()) != 0 && file.Create() != 0) return false;
  file.SetRecordSize(tavo::kFontStreamDescription, tavo::kFontDescriptionRecord);
  file.SetRecordSize(tavo::kFontStreamShortName, tavo::kFontShortNameRecord);
  file.SetRecordSize(tavo::kFontStreamCellSize, tavo::kFontCellSizeRecord);
  const int rowBytes = (entry.width + 7) / 8;
  const int glyphSize = rowBytes * entry.height;
  file.SetRecordSize(tavo::kFontStreamGlyphs, std::uint16_t(glyphSize));

  const auto description = Counted30(entry.description);
  const auto shortName = Counted30(entry.shortName);
  const std::array<std::uint8_t, 4> cell = {std::uint8_t(entry.width), 0, std::uint8_t(entry.height),
                                            0};
  bool ok = file.WriteRecord(tavo::kFontStreamDescription, description) == 0;
  ok = ok && file.WriteRecord(tavo::kFontStreamShortName,
                              std::span(shortName.data(), tavo::kFontShortNameRecord)) == 0;
  ok = ok && file.WriteRecord(tavo::kFontStreamCellSize, cell) == 0;
  for (int code = 0; code < 256 && ok; ++code) {
    std::vector<std::uint8_t> record(glyphSize, 0);
    for (int r = 0; r < entry.height; ++r) {
      const std::uint32_t bits = r < int(glyphs[code].size()) ? glyphs[code][r] : 0;
      // A narrower source is padded on the right; line and block characters
      // repeat their last column there so that they still join their
      // neighbours.
      const bool joins = code >= 0xB0 && code <= 0xDF;
      for (int c = 0; c < entry.width; ++c) {
        int from = c;
        if (from >= sourceWidth) {
          if (!joins) break;
          from = sourceWidth - 1;
        }
        // Bit 0 of each byte is its leftmost pixel.
        if (bits & (1u << (sourceWidth - 1 - from))) record[r * rowBytes + c / 8] |= 1 << (c % 8);
      }
    }
    ok = file.WriteRecord(tavo::kFontStreamGlyphs, record) == 0;
  }
  return file.Close() == 0 && ok;
}

bool WriteFallbackSource(const fs::path& path,
                         const std::vector<std::vector<std::uint32_t>>& glyphs) {
  std::ostringstream out;
  out << "// Generated by tools/fontbuild from Uni2-VGA16 of console-setup-linux\n"
         "// (see docs/fonts.md); do not edit.\n"
         "#include \"resources/fonts.h\"\n\nnamespace tavo {\n\n"
         "// One byte per row, most significant bit leftmost; glyph n at n * 16.\n"
         "const std::uint8_t kFallbackFont[kGlyphCount * kFallbackHeight] = {\n";
  for (int code = 0; code < 256; ++code) {
    out << "   ";
    for (int r = 0; r < 16; ++r) {
      char hex[8];
      std::snprintf(hex, sizeof hex, " 0x%02X,", unsigned(glyphs[code][r] & 0xFF));
      out << hex;
    }
    char comment[16];
    std::snprintf(comment, sizeof comment, "  // %02X\n", code);
    out << comment;
  }
  out << "};\n\n}  // namespace tavo\n";
  std::ofstream file(path, std::ios::binary);
  file << out.str();
  return bool(file);
}

}  // namespace

int main(int argc, char** argv) {
  fs::path consoleFonts = "/usr/share/consolefonts";
  fs::path miscFonts = "/usr/share/fonts/X11/misc";
  fs::path output, fallback;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--consolefonts")
      consoleFonts = argv[i + 1];
    else if (option == "--miscfonts")
      miscFonts = argv[i + 1];
    else if (option == "--output")
      output = argv[i + 1];
    else if (option == "--fallback")
      fallback = argv[i + 1];
    else {
      std::cerr << "unknown option " << option << "\n";
      return 2;
    }
  }
  if (output.empty() && fallback.empty()) {
    std::cerr << "usage: fontbuild [--consolefonts DIR] [--miscfonts DIR] [--output DIR] "
                 "[--fallback FILE.cpp]\n";
    return 2;
  }
  try {
    auto load = [&](const std::string& source) {
      const bool pcf = source.find(".pcf") != std::string::npos;
      const fs::path path = (pcf ? miscFonts : consoleFonts) / source;
      auto data = ReadMaybeCompressed(path);
      if (!data) throw std::runtime_error("cannot read " + path.string());
      return pcf ? ReadPcf(*data) : ReadPsf(*data);
    };
    if (!fallback.empty()) {
      const SourceFont vga = load("Uni2-VGA16.psf.gz");
      if (vga.width != 8 || vga.height != 16) throw std::runtime_error("VGA16 is not 8 x 16");
      if (!WriteFallbackSource(fallback, TerminalGlyphs(vga, "fallback"))) {
        std::cerr << "cannot write " << fallback << "\n";
        return 1;
      }
    }
    if (!output.empty()) {
      fs::create_directories(output);
      for (const FontSpec& entry : kFontSet) {
        const SourceFont source = load(entry.source);
        if (source.width > entry.width || source.height != entry.height)
          throw std::runtime_error(std::string(entry.source) + " does not fit " + entry.fileName);
        if (!WriteFont(output / entry.fileName, entry, TerminalGlyphs(source, entry.fileName),
                       source.width)) {
          std::cerr << "cannot write " << (output / entry.fileName) << "\n";
          return 1;
        }
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "fontbuild: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
