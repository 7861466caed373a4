// Arbitrary bytes as a BMP file: decoding ends in an image of the size the
// header gives or in a refusal with a reason, never in a read outside the
// data; the image then stretches like any placed bitmap, and the quick size
// probe of the file agrees with the decoder.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "objects/bitmap/bmpfile.h"
#include "objects/compile/picturecompiler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavo::Image16 image;
  std::string error, damage;
  const bool decoded = tavo::DecodeBmp16(std::span(data, size), image, &error, &damage);
  if (decoded) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
      std::abort();
    const tavo::Image16 placed = tavo::StretchImage(image, 7, 5, true, false);
    if (placed.pixels.size() != 35) std::abort();
  } else if (error.empty() || !image.pixels.empty()) {
    std::abort();
  }

  static const std::string path = (std::filesystem::temp_directory_path() /
                                   ("tavo_fuzz_bmp_" + std::to_string(::getpid()) + ".bmp"))
                                      .string();
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);
    int width = 0, height = 0;
    const bool sized = tavo::ReadBmpSize(path, width, height);
    if (decoded && (!sized || width != image.width || height != image.height)) std::abort();
    std::remove(path.c_str());
  }
  return 0;
}
