#pragma once
// Terminal bitmap fonts: the font cache, font selection by file name and the
// renderer that draws a text pixel by pixel as the terminal shows it,
// enlarged by the sheet's zoom.
//
// A font file is a record container (dymfile.h) with four streams:
//   0 (31 bytes)  description, length byte + up to 30 characters
//   1 (9 bytes)   short name, length byte + up to 8 characters
//   2 (4 bytes)   cell width and height, little-endian 16-bit each
//   3 (g bytes)   256 glyphs, record n for character code n
// A glyph is `height` rows of ceil(width / 8) bytes; bit 0 of a byte is the
// leftmost of its eight pixels.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "resources/canvas.h"
#include "resources/resourceproblems.h"

namespace tavo {

class Installation;

inline constexpr int kGlyphSlotSize = 1024;
inline constexpr int kGlyphCount = 256;

enum FontStream : std::uint8_t {
  kFontStreamDescription = 0,
  kFontStreamShortName = 1,
  kFontStreamCellSize = 2,
  kFontStreamGlyphs = 3,
};
inline constexpr std::uint16_t kFontDescriptionRecord = 31;
inline constexpr std::uint16_t kFontShortNameRecord = 9;
inline constexpr std::uint16_t kFontCellSizeRecord = 4;

// The built-in font for texts whose font cannot be loaded: 256 glyphs of
// 8 x 16 pixels, one byte per row, most significant bit leftmost (the
// opposite bit order of the font files).
inline constexpr int kFallbackWidth = 8;
inline constexpr int kFallbackHeight = 16;
extern const std::uint8_t kFallbackFont[kGlyphCount * kFallbackHeight];

using GlyphSlot = std::array<std::uint8_t, kGlyphSlotSize>;

// One loaded font.
struct tfnttyp {
  tfnttyp* previous = nullptr;
  std::unique_ptr<tfnttyp> next;
  std::string name;  // the file name as requested, upper-cased
  std::int16_t width = 0;
  std::int16_t height = 0;
  std::int16_t glyphSize = 0;
  std::vector<std::uint8_t> glyphs;  // slot n at n * kGlyphSlotSize
  // Glyph records that lie wholly in the file and in the glyph stream; the
  // others hold whatever followed, or nothing.
  std::int16_t glyphsPresent = kGlyphCount;

  const std::uint8_t* Glyph(std::uint8_t code) const {
    return glyphs.data() + std::size_t(code) * kGlyphSlotSize;
  }
};

// Why a font file was not taken.
enum class FontLoadError {
  None,
  CannotOpen,    // missing, unreadable or no container file
  BadCellSize,   // width or height not positive, or a glyph needs > 1024 bytes
  BadGlyphSize,  // glyph record size 0 or above 1024
};

// Reads a font file completely; `error` tells why nothing was returned.
// `problem` says in words why the file was refused, or what is wrong with a
// font that still loads (glyph data cut short); it is empty for a sound font.
std::unique_ptr<tfnttyp> LoadFontFile(const std::string& path, FontLoadError* error = nullptr,
                                      std::string* problem = nullptr);

// What is wrong with the font file at `path`, in words; empty for a sound
// font and for a missing file (which the caller reports in its own way).
// For those that pass fonts on without drawing them (the download image).
std::string FontFileDamage(const std::string& path);

// Two font names match when their parts before the first "." are equal
// after trimming blanks and converting to upper case.
bool FontNamesMatch(const std::string& a, const std::string& b);

// The program's font cache: fonts are read from "fonts\" of the
// installation once and kept until the cache goes.
class FontCache {
 public:
  explicit FontCache(const Installation& installation);
  // Fonts from a folder that holds the font files themselves (a terminal's
  // drive D), found there without regard to case.
  explicit FontCache(const std::filesystem::path& fontFolder);
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // Makes the font with this file name current, loading it when needed.
  // False when it cannot be loaded; the first cached font (if any) is then
  // current.
  bool SelectFont(const std::string& name);
  // Cell size of the current font; with no font loaded at all the size of
  // the built-in font, which is what texts are then drawn with.
  std::int16_t FontWidth() const;
  std::int16_t FontHeight() const;
  // The glyph slot of `code` in the current font (the built-in glyph in the
  // font files' bit order when no font is loaded).
  GlyphSlot GlyphOf(std::uint8_t code) const;

  // Told once per font name about a font that cannot be loaded or loads
  // with glyph data cut short.
  void SetProblemSink(ResourceProblemSink sink) { problemSink_ = std::move(sink); }

  const tfnttyp* First() const { return first_.get(); }
  const tfnttyp* Current() const { return current_; }

  // Draws `text` (terminal code page) with the top-left of its first cell at
  // window position (x, y). Without a font name, or when the font cannot be
  // loaded, the built-in font is used at scale 1.
  void DrawTerminalText(Canvas& canvas, int x, int y, Rgb ink, const std::string& text,
                        const std::string& fontName, bool opaque, Rgb background, double zoom);

 private:
  // The folder searched: an installation's "fonts\", or a font folder itself.
  std::unique_ptr<Installation> ownFolder_;
  const Installation& installation_;
  std::string prefix_ = "fonts\\";
  std::unique_ptr<tfnttyp> first_;
  tfnttyp* last_ = nullptr;
  tfnttyp* current_ = nullptr;
  ResourceProblemSink problemSink_;
  std::set<std::string> reported_;
};

// Draws with a given font (not the cache); the rules of DrawTerminalText.
void DrawFontText(Canvas& canvas, const tfnttyp& font, int x, int y, Rgb ink,
                  const std::string& text, bool opaque, Rgb background, double zoom);
void DrawFallbackText(Canvas& canvas, int x, int y, Rgb ink, const std::string& text, bool opaque,
                      Rgb background);

}  // namespace tavo
