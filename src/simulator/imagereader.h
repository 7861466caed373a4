#pragma once
// Reading a second-generation download image back: the run file
// "Project.run" into the project's records, each picture file "<n>.pic" into
// its picture's keys and objects, the pixel files "PIC<id>.HCD" into images.
// The exact inverse of the run-form writers, so the objects read back draw
// as the editor draws the objects they came from.
//
// Nothing here trusts the files: every line is checked field by field
// against its record's layout, and a line that does not fit is reported
// ("file:line: what") and skipped while the rest is read.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "project/projekt.h"
#include "resources/canvas.h"

namespace tavo {

class t_katalog;

inline constexpr const char* kRunFileName = "Project.run";
// The first generation's project image, for the message that refuses it.
inline constexpr const char* kLegacyProjectImage = "00100000.PRJ";
// Text files larger than this are not read (no image comes near it).
inline constexpr std::uintmax_t kMaxImageTextFile = std::uintmax_t(256) << 20;

// A run file text (code page of the terminal) as code page 1252 such that
// converting it for the terminal again gives the same bytes, so drawing it
// gives the terminal's pixels.
std::string FromTerminalText(std::string_view terminalText);

// Collects the messages of a read, each "file:line: what"; after
// kMaxMessages the rest are only counted.
class ImageMessages {
 public:
  static constexpr std::size_t kMaxMessages = 200;
  explicit ImageMessages(std::vector<std::string>& out) : out_(out) {}
  ~ImageMessages();
  void Add(const std::string& file, std::size_t line, const std::string& what);
  void Add(const std::string& file, const std::string& what);

 private:
  std::vector<std::string>& out_;
  std::size_t dropped_ = 0;
};

// The run file's records: head, terminal, coupling, variables, alarms, text
// lists, and the pictures with their number and background (keys and
// objects come from the picture files). The catalogue (may be null) gives
// the terminal by type number and the coupling by identifier.
std::unique_ptr<t_projekt> ReadRunText(std::string_view text, const std::string& fileName,
                                       const t_katalog* catalogue, ImageMessages& messages);

// A picture file into `picture`, whose number and background the run file
// gave. `fonts` (t_fonteintrag, may be null) gives the fields' cell sizes.
void ReadPictureText(std::string_view text, const std::string& fileName, t_bild& picture,
                     const t_liste* fonts, ImageMessages& messages);

// A pixel file's bytes; false with `error` when they are no pixel file.
bool DecodePixelFile(const std::vector<std::uint8_t>& bytes, Image16& image, std::string* error);

struct DriveImage {
  std::unique_ptr<t_projekt> project;      // null when the folder holds no usable image
  std::map<std::int32_t, Image16> pixels;  // by bitmap identifier
  ListPtr fonts;                           // t_fonteintrag: the fonts on the drive
};

// Reads a drive D folder: the run file, every picture file it names, the
// pixel files of the bitmaps and the fonts' catalogue entries.
DriveImage ReadDriveImage(const std::filesystem::path& driveD, const t_katalog* catalogue,
                          std::vector<std::string>& messages);

}  // namespace tavo
