// Opens arbitrary bytes as a record container and as a terminal font: every
// path must end in a code or the fallback, never in a bad read.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "resources/dymfile.h"
#include "resources/fontcatalog.h"
#include "resources/fonts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = (std::filesystem::temp_directory_path() /
                                   ("tavo_fuzz_container_" + std::to_string(::getpid()) + ".fon"))
                                      .string();
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  } else {
    return 0;
  }

  {
    tavo::t_dymfile file;
    if (file.Open(path) == 0) {
      std::array<std::uint8_t, 64> buffer{};
      for (std::uint8_t s = 0; s < tavo::kDymStreamCount; ++s) {
        const std::int32_t count = file.GetCount(s);
        file.SetPosition(s, 0);
        file.ReadRecord(s, buffer);
        if (count > 0) {
          file.SetPosition(s, count - 1);
          file.ReadRecord(s, buffer);
        }
      }
      // Writing through a damaged header must stay inside the file's range.
      file.SetPosition(0, 0);
      file.WriteRecord(0, buffer);
      file.SetPosition(1, 0x7FFFFFFF);
      file.WriteRecord(1, buffer);
    }
    file.Close();
  }
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  if (auto font = tavo::LoadFontFile(path)) {
    volatile std::uint8_t sink = 0;
    for (int code = 0; code < tavo::kGlyphCount; ++code) {
      const std::uint8_t* glyph = font->Glyph(std::uint8_t(code));
      const int bytes = font->height * ((font->width + 7) / 8);
      for (int i = 0; i < bytes; ++i) sink = sink ^ glyph[i];
    }
  }
  tavo::ReadCatalogEntry(path);
  std::filesystem::remove(path);
  return 0;
}
