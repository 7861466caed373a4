#include "objects/compile/picturecompiler.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/gruppe.h"
#include "objects/objekt.h"
#include "objects/rounding.h"
#include "project/records.h"
#include "shell/progress.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

constexpr std::uint16_t kPixelFileMagic = 18500;  // "DH" on disk
// What the terminal reads below the image: the invalid colour, all bits set
// in the packed form.
constexpr std::uint16_t kBelowImage = 0xFFDF;
constexpr std::size_t kMaxFontText = 255;

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t word) {
  out.push_back(static_cast<std::uint8_t>(word & 0xFF));
  out.push_back(static_cast<std::uint8_t>(word >> 8));
}

// Only a file counts as converted; anything else of that name is in the way.
bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

void RemovePartial(const fs::path& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

const Image16& SourceImage(const tqvxbitmap& bitmap, CompileContext& ctx) {
  const fs::path path = ResolveBitmapFile(bitmap.file, ctx.projectFolder, ctx.bitmapFolders);
  const std::string key = path.empty() ? std::string() : path.string();
  auto found = ctx.sources.find(key);
  if (found != ctx.sources.end()) return found->second;
  Image16 image;
  std::string error, damage;
  if (path.empty())
    ctx.missingBitmaps.push_back(bitmap.file);
  else if (!LoadBmp16(path, image, &error, &damage))
    ctx.damagedBitmaps.push_back(bitmap.file + ": " + error + "; converted as a black image");
  else if (!damage.empty())
    ctx.damagedBitmaps.push_back(bitmap.file + ": " + damage);
  return ctx.sources.emplace(key, std::move(image)).first->second;
}

bool ConvertOne(const tqvxbitmap& bitmap, CompileContext& ctx) {
  const std::string fileName = PixelFileName(bitmap.identifier);
  const fs::path target = ctx.targetFolder / fileName;
  // Bitmaps placed several times with one identifier are converted once.
  if (IsFile(target)) return true;
  const std::int32_t x1 = RoundToI32(bitmap.x1), y1 = RoundToI32(bitmap.y1);
  const std::int32_t x2 = RoundToI32(bitmap.x2), y2 = RoundToI32(bitmap.y2);
  const std::int64_t w = std::llabs(std::int64_t(x2) - x1);
  const std::int64_t h = std::llabs(std::int64_t(y2) - y1);
  if (w > 0xFFFF || h > 0xFFFF || w * h > kMaxBitmapPixels) {
    ctx.failedFiles.push_back(fileName + " (" + std::to_string(w) + " x " + std::to_string(h) +
                              " pixels is too large)");
    return false;
  }
  const Image16 placed =
      StretchImage(SourceImage(bitmap, ctx), static_cast<int>(w), static_cast<int>(h),
                   bitmap.x2 < bitmap.x1, bitmap.y2 < bitmap.y1);
  if (ctx.progress) ctx.progress->SetLabel("erzeuge PIC" + std::to_string(bitmap.identifier));
  const std::vector<std::uint8_t> bytes = EncodePixelFile(placed);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  // Written row by row so the gauge can follow large images.
  const std::size_t header = 6;
  const std::size_t rowBytes = std::size_t(w) * 2;
  const std::size_t rows = std::size_t(h) + 1;
  int shown = -1;
  if (out) out.write(reinterpret_cast<const char*>(bytes.data()), header);
  for (std::size_t row = 0; out && row < rows; ++row) {
    out.write(reinterpret_cast<const char*>(bytes.data() + header + row * rowBytes),
              static_cast<std::streamsize>(rowBytes));
    const int percent = static_cast<int>((row + 1) * 100 / rows);
    if (ctx.progress && percent != shown) ctx.progress->SetPercent(shown = percent);
  }
  out.close();
  if (!out) {
    // A cut pixel file must not survive: the next build would take it as done.
    RemovePartial(target);
    ctx.failedFiles.push_back(fileName);
    return false;
  }
  return true;
}

}  // namespace

std::string PictureFileName(std::uint16_t pictureNumber) {
  return std::to_string(pictureNumber) + ".pic";
}

std::string PixelFileName(std::int32_t identifier) {
  return "PIC" + std::to_string(identifier) + ".HCD";
}

Image16 StretchImage(const Image16& source, int width, int height, bool mirrorX, bool mirrorY) {
  Image16 out;
  out.width = std::max(width, 0);
  out.height = std::max(height, 0);
  out.pixels.assign(std::size_t(out.width) * std::size_t(out.height), 0);
  const bool usable = source.width > 0 && source.height > 0 &&
                      source.pixels.size() >= std::size_t(source.width) * source.height;
  if (!usable) return out;
  std::vector<int> columns(out.width);
  for (int x = 0; x < out.width; ++x) {
    const std::int64_t t = mirrorX ? out.width - 1 - x : x;
    columns[x] = static_cast<int>(t * source.width / out.width);
  }
  for (int y = 0; y < out.height; ++y) {
    const std::int64_t t = mirrorY ? out.height - 1 - y : y;
    const std::uint16_t* src =
        source.pixels.data() + (t * source.height / out.height) * source.width;
    std::uint16_t* dst = out.pixels.data() + std::size_t(y) * out.width;
    for (int x = 0; x < out.width; ++x) dst[x] = src[columns[x]];
  }
  return out;
}

std::vector<std::uint8_t> EncodePixelFile(const Image16& image) {
  std::vector<std::uint8_t> out;
  const std::size_t w = std::size_t(std::max(image.width, 0));
  const std::size_t h = std::size_t(std::max(image.height, 0));
  out.reserve(6 + (h + 1) * w * 2);
  PutWord(out, kPixelFileMagic);
  PutWord(out, static_cast<std::uint16_t>(image.width - 1));
  PutWord(out, static_cast<std::uint16_t>(image.height));
  for (std::size_t i = 0; i < w * h; ++i)
    PutWord(out, i < image.pixels.size() ? image.pixels[i] : 0);
  for (std::size_t x = 0; x < w; ++x) PutWord(out, kBelowImage);
  return out;
}

bool ConvertBitmaps(const t_liste* objects, CompileContext& ctx) {
  bool ok = true;
  // The kind byte sorts out the many shapes before any cast: a picture of
  // thousands of objects has few groups and bitmaps.
  for (const t_liste* n = objects; n; n = n->next()) {
    const std::uint8_t kind = static_cast<const t_objekt*>(n)->Kind();
    if (kind == kKindGruppe) {
      if (const auto* group = dynamic_cast<const t_gruppe*>(n))
        ok = ConvertBitmaps(group->FirstMember(), ctx) && ok;
    } else if (kind == kKindBitmap) {
      if (const auto* bitmap = dynamic_cast<const tqvxbitmap*>(n);
          bitmap && !bitmap->BitmapFile().empty())
        ok = ConvertOne(*bitmap, ctx) && ok;
    }
  }
  return ok;
}

bool CompilePicture(const t_bild& picture, const std::string& pictureLine, UsedFileTable& usedFiles,
                    CompileContext& ctx) {
  const std::string fileName = PictureFileName(picture.pictureNumber);
  const fs::path path = ctx.targetFolder / fileName;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  // Lines are gathered and written in large blocks: a picture has a line
  // per object, and a stream write per line costs more than the line.
  constexpr std::size_t kBlock = 1 << 16;
  std::string block;
  block.reserve(kBlock + 256);
  const auto flush = [&] {
    file.write(block.data(), static_cast<std::streamsize>(block.size()));
    block.clear();
  };
  RunWriter out(
      [&](const std::string& line) {
        block += line;
        block += "\r\n";
        if (block.size() >= kBlock) flush();
      },
      usedFiles);
  out.Line(pictureLine);
  picture.keys.ForEachAssigned([&](const t_taste& key) {
    if (key.value != 0) key.WriteRunLines(out);
  });
  for (const t_liste* o = picture.objects.get(); o; o = o->next()) {
    o->WriteRunLines(out);
    const std::string fonts = static_cast<const t_objekt*>(o)->CollectFonts();
    usedFiles.Enter(fonts.substr(0, std::min(fonts.size(), kMaxFontText)));
  }
  bool ok = ConvertBitmaps(picture.objects.get(), ctx);
  out.Line("-(PictureEnd)");
  flush();
  file.close();
  if (!file) {
    RemovePartial(path);
    ctx.failedFiles.push_back(fileName);
    return false;
  }
  return ok;
}

void CompilingRunWriter::CompilePicture(const t_bild& picture, const std::string& pictureLine) {
  tavo::CompilePicture(picture, pictureLine, UsedFiles(), ctx_);
}

}  // namespace tavo
