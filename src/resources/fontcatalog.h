#pragma once
// The catalogue entry of an installed terminal font ("fonts\*.fon"), built
// from the description, short name and cell size records of the font file.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "project/liste.h"

namespace tavo {

class Installation;

class t_fonteintrag : public t_liste {
 public:
  t_fonteintrag() : t_liste(kTagFonteintrag) {}

  // name (base): the display name, "short name - description", at most 41
  // characters.
  std::int16_t width = 0;
  std::int16_t height = 0;
  std::string fileName;  // without folder, as found ("S008X016.FON")
  std::int32_t fileSize = 0;
};

// "short - description": the short name and " - " cut to 11 characters
// together, then the description, all cut to 41.
std::string FontDisplayName(const std::string& shortName, const std::string& description);

// Reads the entry of one font file. A file that is no readable font is still
// listed: its display name is its file name and its cell is the built-in
// font's 8 x 16, which is what texts in it are drawn with.
std::unique_ptr<t_fonteintrag> ReadCatalogEntry(const std::filesystem::path& path);

// Appends one entry per "fonts\*.fon" of the installation, in ascending
// file name order.
void LoadFontList(const Installation& installation, ListPtr& fonts);

}  // namespace tavo
