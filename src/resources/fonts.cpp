#include "resources/fonts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

#include "resources/dymfile.h"
#include "shell/folders.h"
#include "shell/safefile.h"

namespace tavo {
namespace {

std::string BaseNameKey(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  const auto first = base.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  base = base.substr(first, base.find_last_not_of(" \t") - first + 1);
  for (char& ch : base) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return base;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string UpperAscii(std::string text) {
  for (char& ch : text) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return text;
}

// Font names come from project files; they name a file in "fonts\" and never
// a path, so a name that would leave the folder is not looked up at all.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." &&
         name != "..";
}

// Coordinates stay far inside int even for absurd texts and zooms.
constexpr double kCoordinateLimit = 1 << 29;

int ClampCoordinate(double value) {
  return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

// Collects the ink squares of one row and emits each horizontal run of
// touching or overlapping squares as one rectangle. The squares are opaque
// fills of one colour, so the union gives exactly their pixels.
class RunEmitter {
 public:
  RunEmitter(Canvas& canvas, Rgb ink, int top, int bottom)
      : canvas_(canvas), ink_(ink), top_(top), bottom_(bottom) {}
  ~RunEmitter() { Flush(); }

  void Add(int left, int right) {
    // Squares usually come left to right, but bits beyond a narrow cell's
    // width reach into the next cell, so a square may also lie before the run.
    if (active_ && left <= right_ && right >= left_) {
      left_ = std::min(left_, left);
      right_ = std::max(right_, right);
      return;
    }
    Flush();
    active_ = true;
    left_ = left;
    right_ = right;
  }

 private:
  void Flush() {
    if (!active_) return;
    active_ = false;
    if (right_ - left_ == 1 && bottom_ - top_ == 1) {
      canvas_.SetPixel(left_, top_, ink_);
    } else {
      canvas_.FillRectColour(left_, top_, right_, bottom_, ink_);
    }
  }

  Canvas& canvas_;
  Rgb ink_;
  int top_;
  int bottom_;
  bool active_ = false;
  int left_ = 0;
  int right_ = 0;
};

}  // namespace

bool FontNamesMatch(const std::string& a, const std::string& b) {
  return BaseNameKey(a) == BaseNameKey(b);
}

std::unique_ptr<tfnttyp> LoadFontFile(const std::string& path, FontLoadError* error,
                                      std::string* problem) {
  FontLoadError dummy;
  FontLoadError& result = error ? *error : dummy;
  result = FontLoadError::None;
  std::string unused;
  std::string& why = problem ? *problem : unused;
  why.clear();

  // Only a file: a pipe or a device in its place would never end.
  why = WhyUnreadable(path);
  if (!why.empty()) {
    result = FontLoadError::CannotOpen;
    return nullptr;
  }
  t_dymfile file;
  if (const std::int16_t code = file.Open(path); code != 0) {
    file.Close();
    result = FontLoadError::CannotOpen;
    why = code == kDymNotContainer || code == kOsReadError
              ? "not a font file"
              : "cannot be read (file error " + std::to_string(code) + ")";
    return nullptr;
  }
  auto font = std::make_unique<tfnttyp>();
  std::array<std::uint8_t, kFontCellSizeRecord> size{};
  file.SetPosition(kFontStreamCellSize, 0);
  file.ReadRecord(kFontStreamCellSize, size);
  font->width = static_cast<std::int16_t>(size[0] | (size[1] << 8));
  font->height = static_cast<std::int16_t>(size[2] | (size[3] << 8));
  const std::uint16_t glyphSize = file.GetRecordSize(kFontStreamGlyphs);

  // The renderer reads height rows of ceil(width / 8) bytes from each
  // 1024-byte slot; a cell that does not fit a slot is not a usable font.
  const int bytesPerRow = (font->width + 7) / 8;
  if (font->width <= 0 || font->height <= 0 || font->height * bytesPerRow > kGlyphSlotSize) {
    result = FontLoadError::BadCellSize;
    why =
        "unusable cell size " + std::to_string(font->width) + " x " + std::to_string(font->height);
    return nullptr;
  }
  if (glyphSize == 0 || glyphSize > kGlyphSlotSize) {
    result = FontLoadError::BadGlyphSize;
    why = "unusable glyph size of " + std::to_string(glyphSize) + " bytes";
    return nullptr;
  }
  font->glyphSize = static_cast<std::int16_t>(glyphSize);
  font->glyphs.assign(std::size_t(kGlyphCount) * kGlyphSlotSize, 0);
  for (int n = 0; n < kGlyphCount; ++n) {
    // Missing glyph records read whatever follows in the file; a read past
    // the end leaves the slot zero.
    file.SetPosition(kFontStreamGlyphs, n);
    file.ReadRecord(
        kFontStreamGlyphs,
        std::span(font->glyphs.data() + std::size_t(n) * kGlyphSlotSize, std::size_t(glyphSize)));
  }
  // Such a font still draws, but not every character as it should: worth
  // telling whoever shows or sends it.
  std::error_code ec;
  const std::int64_t fileSize = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
  const std::int64_t start = kDymHeaderSize + std::int64_t(file.StreamStart(kFontStreamGlyphs));
  const std::int64_t inFile = ec || file.StreamStart(kFontStreamGlyphs) < 0 || fileSize < start
                                  ? 0
                                  : (fileSize - start) / glyphSize;
  font->glyphsPresent = static_cast<std::int16_t>(std::clamp<std::int64_t>(
      std::min<std::int64_t>(inFile, file.GetCount(kFontStreamGlyphs)), 0, kGlyphCount));
  if (font->glyphsPresent < kGlyphCount)
    why = "glyph data cut short: " + std::to_string(font->glyphsPresent) + " of " +
          std::to_string(kGlyphCount) + " characters in the file";
  file.Close();
  return font;
}

std::string FontFileDamage(const std::string& path) {
  if (KindOfPath(path) == PathKind::Missing) return {};
  std::string problem;
  LoadFontFile(path, nullptr, &problem);
  return problem;
}

FontCache::FontCache(const Installation& installation) : installation_(installation) {}

FontCache::FontCache(const std::filesystem::path& fontFolder)
    : ownFolder_(std::make_unique<Installation>(fontFolder)),
      installation_(*ownFolder_),
      prefix_() {}

FontCache::~FontCache() {
  // Unlink iteratively so a long cache does not recurse in the destructors.
  while (first_) first_ = std::move(first_->next);
}

bool FontCache::SelectFont(const std::string& name) {
  if (current_ && FontNamesMatch(current_->name, name)) return true;
  for (tfnttyp* f = first_.get(); f; f = f->next.get()) {
    if (FontNamesMatch(f->name, name)) {
      current_ = f;
      return true;
    }
  }
  const std::string fileName = Trimmed(name);
  std::unique_ptr<tfnttyp> font;
  std::string problem = "not a file name in the fonts folder";
  if (IsPlainFileName(fileName)) {
    font = LoadFontFile(installation_.Resolve(prefix_ + fileName).string(), nullptr, &problem);
  }
  // A font that cannot be loaded is tried again on every text; it is told
  // about once.
  if (!problem.empty() && problemSink_ && reported_.insert(UpperAscii(fileName)).second)
    problemSink_(name, font ? problem : "cannot be loaded (" + problem + ")");
  if (!font) {
    current_ = first_.get();
    return false;
  }
  font->name = UpperAscii(name);
  font->previous = last_;
  tfnttyp* added = font.get();
  if (last_) {
    last_->next = std::move(font);
  } else {
    first_ = std::move(font);
  }
  last_ = added;
  current_ = added;
  return true;
}

std::int16_t FontCache::FontWidth() const {
  return current_ ? current_->width : kFallbackWidth;
}

std::int16_t FontCache::FontHeight() const {
  return current_ ? current_->height : kFallbackHeight;
}

GlyphSlot FontCache::GlyphOf(std::uint8_t code) const {
  GlyphSlot slot{};
  if (current_) {
    std::copy_n(current_->Glyph(code), kGlyphSlotSize, slot.begin());
    return slot;
  }
  for (int r = 0; r < kFallbackHeight; ++r) {
    std::uint8_t row = kFallbackFont[code * kFallbackHeight + r];
    std::uint8_t mirrored = 0;
    for (int bit = 0; bit < 8; ++bit) {
      if (row & (0x80 >> bit)) mirrored |= std::uint8_t(1 << bit);
    }
    slot[r] = mirrored;
  }
  return slot;
}

void FontCache::DrawTerminalText(Canvas& canvas, int x, int y, Rgb ink, const std::string& text,
                                 const std::string& fontName, bool opaque, Rgb background,
                                 double zoom) {
  bool haveFont = false;
  if (!fontName.empty()) {
    // The second attempt mirrors the terminal's own retry; a font that
    // failed once is looked up on disk again.
    haveFont = SelectFont(fontName) || SelectFont(fontName);
  }
  if (haveFont && current_) {
    DrawFontText(canvas, *current_, x, y, ink, text, opaque, background, zoom);
  } else {
    DrawFallbackText(canvas, x, y, ink, text, opaque, background);
  }
}

void DrawFontText(Canvas& canvas, const tfnttyp& font, int x, int y, Rgb ink,
                  const std::string& text, bool opaque, Rgb background, double zoom) {
  // NaN or an absurd zoom has no sensible picture; nothing is drawn.
  if (!std::isfinite(zoom) || std::fabs(zoom) > 4096.0) return;
  const int w = font.width;
  const int h = font.height;
  const int bytesPerRow = (w + 7) / 8;
  if (w <= 0 || h <= 0 || h * bytesPerRow > kGlyphSlotSize) return;
  const double n = static_cast<double>(text.size());

  if (opaque) {
    // The bottom edge lies one row above the cell's end, as the terminal
    // clears it.
    canvas.FillRectColour(x, y, ClampCoordinate(x + n * std::trunc(w * zoom)),
                          ClampCoordinate(y + std::trunc(h * zoom) - 1), background);
  }

  const bool squares = zoom > 1;
  const int side = squares ? static_cast<int>(std::nearbyint(zoom)) : 1;
  const int canvasWidth = canvas.Width();
  const int canvasHeight = canvas.Height();
  for (int r = 0; r < h; ++r) {
    const int top = ClampCoordinate(std::trunc(r * zoom) + y);
    if (top >= canvasHeight || top + side <= 0) continue;
    RunEmitter runs(canvas, ink, top, top + side);
    for (std::size_t k = 0; k < text.size(); ++k) {
      const double cellLeft = double(k) * w;
      if (zoom >= 0 && std::trunc(cellLeft * zoom) + x >= canvasWidth) break;
      const std::uint8_t* row =
          font.Glyph(static_cast<std::uint8_t>(text[k])) + std::size_t(r) * bytesPerRow;
      for (int j = 0; j < bytesPerRow; ++j) {
        const std::uint8_t bits = row[j];
        if (bits == 0) continue;
        for (int bit = 0; bit < 8; ++bit) {
          if (!(bits & (1u << bit))) continue;
          const double c = cellLeft + 8 * j + bit;
          const int left = ClampCoordinate(std::trunc(c * zoom) + x);
          runs.Add(left, left + side);
        }
      }
    }
  }
}

void DrawFallbackText(Canvas& canvas, int x, int y, Rgb ink, const std::string& text, bool opaque,
                      Rgb background) {
  const std::int64_t n = static_cast<std::int64_t>(text.size());
  if (opaque) {
    canvas.FillRectColour(x, y, ClampCoordinate(double(x) + 8.0 * double(n)), y + 15, background);
  }
  const int canvasWidth = canvas.Width();
  for (int r = 0; r < kFallbackHeight; ++r) {
    RunEmitter runs(canvas, ink, y + r, y + r + 1);
    for (std::int64_t k = 0; k < n; ++k) {
      const std::int64_t cellLeft = std::int64_t(x) + 8 * k;
      if (cellLeft >= canvasWidth) break;
      const std::uint8_t bits =
          kFallbackFont[std::size_t(static_cast<std::uint8_t>(text[k])) * kFallbackHeight + r];
      for (int col = 0; col < 8; ++col) {
        if (bits & (0x80 >> col)) {
          const int left = static_cast<int>(cellLeft + col);
          runs.Add(left, left + 1);
        }
      }
    }
  }
}

}  // namespace tavo
