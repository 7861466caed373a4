#pragma once
// Compiling pictures for second-generation terminals: per picture a text
// file "<picture number>.pic" with its keys and its objects' run lines, and
// per distinct placed bitmap a pixel file "PIC<identifier>.HCD".

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "project/runwriter.h"
#include "resources/canvas.h"

namespace tavo {

class ProgressDisplay;
class t_bild;

struct CompileContext {
  std::filesystem::path targetFolder;   // receives the .pic and .HCD files
  std::filesystem::path projectFolder;  // resolves relative bitmap file names
  // Searched by file name when a bitmap is found neither as written nor in
  // the project folder (the installation's graphics library).
  std::vector<std::filesystem::path> bitmapFolders;
  ProgressDisplay* progress = nullptr;

  // What went wrong, for the caller to report: files that could not be
  // written (the image is then incomplete) ...
  std::vector<std::string> failedFiles;
  // ... bitmap files that were not found (converted as black images) ...
  std::vector<std::string> missingBitmaps;
  // ... and bitmap files that are damaged: the file, ": " and what is wrong.
  std::vector<std::string> damagedBitmaps;

  // Source images already decoded, by resolved path: a bitmap placed on
  // many pictures is read once per build.
  std::map<std::string, Image16> sources;
};

// "12.pic" for picture number 12.
std::string PictureFileName(std::uint16_t pictureNumber);
// "PIC7.HCD" for identifier 7.
std::string PixelFileName(std::int32_t identifier);

// Writes the picture file (the picture line, the keys with a value, the
// objects' run lines, "-(PictureEnd)"), enters the objects' fonts in
// `usedFiles` and converts the picture's bitmaps. False when a file could
// not be written (named in ctx.failedFiles).
bool CompilePicture(const t_bild& picture, const std::string& pictureLine, UsedFileTable& usedFiles,
                    CompileContext& ctx);

// Writes the pixel files still missing in the target folder for the bitmap
// objects of a list, descending into groups. False when one could not be
// written.
bool ConvertBitmaps(const t_liste* objects, CompileContext& ctx);

// Stretches `source` into a width x height image by nearest neighbour,
// reversed left to right and/or top to bottom when asked. An empty source
// leaves the image black.
Image16 StretchImage(const Image16& source, int width, int height, bool mirrorX, bool mirrorY);

// The pixel file's bytes: the words 18500, width - 1, height, then height
// rows of pixels and one more row of FFDF (hex), all little-endian.
std::vector<std::uint8_t> EncodePixelFile(const Image16& image);

// The run-file writer of a download: every picture compiles itself into
// `ctx.targetFolder` while the run file is written.
class CompilingRunWriter : public RunWriter {
 public:
  CompilingRunWriter(LineSink sink, UsedFileTable& usedFiles, CompileContext& ctx)
      : RunWriter(std::move(sink), usedFiles), ctx_(ctx) {}
  void CompilePicture(const t_bild& picture, const std::string& pictureLine) override;

 private:
  CompileContext& ctx_;
};

}  // namespace tavo
