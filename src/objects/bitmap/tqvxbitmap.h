#pragma once
// The bitmap object: a Windows bitmap file stretched into a rectangle on a
// picture, optionally transparent in one colour. The terminal never sees
// the file itself: the picture compiler converts every distinct file and
// placed size into a pixel file named by the registry's identifier.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "objects/objekt.h"
#include "project/bmpliste.h"
#include "resources/canvas.h"

namespace tavo {

class t_projekt;

class tqvxbitmap : public t_objekt {
 public:
  tqvxbitmap();

  std::string file;
  std::int32_t identifier = 0;
  bool transparent = false;
  std::int32_t transparentColour = 0;  // Windows colour: red in the low byte
  // Two opposite corners; x2 < x1 or y2 < y1 mirrors the image.
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;

  void SetCorners(double ax, double ay, double bx, double by);
  // The placed size as the registry counts it: rounded extent width, height.
  std::int32_t PlacedWidth() const;
  std::int32_t PlacedHeight() const;
  // The transparent colour as a terminal pixel word.
  std::uint16_t TransparentColour16() const;

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  // Draws an image already converted to the placed size (the pixel file of
  // a download image) where Draw would put the file: same pixels, the
  // mirroring already done.
  void DrawPlaced(tview& view, int mode, const Image16& placed) const;
  std::string FormatFields() const override;
  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void UpdateExtent() override;
  void MoveBy(std::int16_t dx, std::int16_t dy) override;
  void FitToFrame() override;
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;
  std::string BitmapFile() const override;
  void Rotate(double centreX, double centreY, int degrees) override;

 private:
  // The rectangle's edges in window pixels, as DrawImage takes them.
  struct WindowEdges {
    int left, top, right, bottom;
  };
  WindowEdges EdgesIn(const tview& view) const;

  // The last image drawn, so repainting the sheet does not reread the file.
  struct Cache {
    std::string file;
    Image16 image;
  };
  mutable std::shared_ptr<Cache> cache_;
};

// Turns a file field as stored ('\' separators, perhaps from another
// machine) into a path that exists: the path as written, else the file name
// in `projectFolder`, else the file name in each of `moreFolders`. Empty when
// none exists.
std::filesystem::path ResolveBitmapFile(const std::string& file,
                                        const std::filesystem::path& projectFolder,
                                        const std::vector<std::filesystem::path>& moreFolders = {});

// The bitmap objects of `object` (itself or its members at any depth).
void CollectBitmapUses(t_objekt& object, std::vector<BitmapUse>& out);

// The folder that holds a saved project's bitmap files: the folder named
// after the project file beside it. Empty for a project never saved.
std::filesystem::path ProjectBitmapFolder(const t_projekt& project);

// Copies every bitmap file the project's pictures use into the project's
// bitmap folder (unless a file of that name is already there) and points
// the objects at the copies. Call it before the project file is written.
// Returns the names of the files that could not be copied; their objects
// keep their old file field.
std::vector<std::string> AdoptBitmapFiles(t_projekt& project);

// Bitmap fields may hold bare names, meant relative to where the project
// was read. Points every bitmap object at the file it means, found where the
// image builder looks: the project's bitmap folder, the project file's
// folder, then `libraryFolders`. Fields whose file is found nowhere stay.
void LocateBitmapFiles(t_projekt& project,
                       const std::vector<std::filesystem::path>& libraryFolders);

// Saves the project as `path` the way every save does: the bitmap files are
// brought into the folder beside the new file first, then the file is
// written safely. On failure the project keeps its previous path and
// `error` says why. `notCopied` (may be null) gets the bitmap files that
// could not be brought over; their objects keep their old file.
bool SaveProject(t_projekt& project, const std::string& path, std::string* error,
                 std::vector<std::string>* notCopied);

}  // namespace tavo
