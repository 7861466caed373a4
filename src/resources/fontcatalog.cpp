#include "resources/fontcatalog.h"

#include <algorithm>
#include <array>
#include <limits>
#include <system_error>

#include "resources/dymfile.h"
#include "resources/fonts.h"
#include "shell/folders.h"

namespace tavo {
namespace {

// A length-prefixed text; the length byte may claim more than the record
// holds, so the record's size bounds it.
template <std::size_t N>
std::string CountedText(const std::array<std::uint8_t, N>& record) {
  const std::size_t length = std::min<std::size_t>(record[0], N - 1);
  return std::string(reinterpret_cast<const char*>(record.data()) + 1, length);
}

}  // namespace

std::string FontDisplayName(const std::string& shortName, const std::string& description) {
  std::string name = (shortName + " - ").substr(0, 11) + description;
  return name.substr(0, 41);
}

std::unique_ptr<t_fonteintrag> ReadCatalogEntry(const std::filesystem::path& path) {
  auto entry = std::make_unique<t_fonteintrag>();
  entry->fileName = path.filename().string();
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  entry->fileSize = ec ? 0
                       : static_cast<std::int32_t>(std::min<std::uintmax_t>(
                             size, std::numeric_limits<std::int32_t>::max()));

  t_dymfile file;
  if (file.Open(path.string()) == 0) {
    file.SetRecordSize(kFontStreamDescription, kFontDescriptionRecord);
    file.SetRecordSize(kFontStreamShortName, kFontShortNameRecord);
    file.SetRecordSize(kFontStreamCellSize, kFontCellSizeRecord);
    std::array<std::uint8_t, kFontDescriptionRecord> description{};
    std::array<std::uint8_t, kFontShortNameRecord> shortName{};
    std::array<std::uint8_t, kFontCellSizeRecord> cell{};
    file.SetPosition(kFontStreamDescription, 0);
    const bool read = file.ReadRecord(kFontStreamDescription, description) == 0 &&
                      file.SetPosition(kFontStreamShortName, 0) == 0 &&
                      file.ReadRecord(kFontStreamShortName, shortName) == 0 &&
                      file.SetPosition(kFontStreamCellSize, 0) == 0 &&
                      file.ReadRecord(kFontStreamCellSize, cell) == 0;
    const std::uint16_t glyphSize = file.GetRecordSize(kFontStreamGlyphs);
    file.Close();
    // Only the low bytes of the 16-bit sizes count.
    const int width = cell[0];
    const int height = cell[2];
    const bool usable = read && width > 0 && height > 0 &&
                        height * ((width + 7) / 8) <= kGlyphSlotSize && glyphSize > 0 &&
                        glyphSize <= kGlyphSlotSize;
    if (usable) {
      entry->name = FontDisplayName(CountedText(shortName), CountedText(description));
      entry->width = static_cast<std::int16_t>(width);
      entry->height = static_cast<std::int16_t>(height);
      return entry;
    }
  }
  entry->name = entry->fileName.substr(0, 41);
  entry->width = kFallbackWidth;
  entry->height = kFallbackHeight;
  return entry;
}

void LoadFontList(const Installation& installation, ListPtr& fonts) {
  t_liste* anchor = fonts ? LastNode(fonts.get()) : nullptr;
  for (const auto& path : installation.ListFiles("fonts", "*.fon")) {
    anchor = AppendNode(fonts, anchor, ReadCatalogEntry(path));
  }
}

}  // namespace tavo
