#include "objects/bitmap/tqvxbitmap.h"

#include <algorithm>
#include <system_error>

#include "objects/bitmap/bmpfile.h"
#include "objects/gruppe.h"
#include "objects/rounding.h"
#include "project/projectfile.h"
#include "project/projekt.h"
#include "project/runwriter.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

// Bytes of the older generation's bitmap record between the corners and
// the switching rule; their meaning is lost, they are skipped.
constexpr std::size_t kSkippedBinaryBytes = 13;

std::string FileNameOf(const std::string& stored) {
  const std::size_t cut = stored.find_last_of("\\/");
  return cut == std::string::npos ? stored : stored.substr(cut + 1);
}

std::string WithSlashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

template <class Fn>
void EachBitmap(t_liste* objects, Fn&& fn) {
  for (t_liste* n = objects; n; n = n->next()) {
    if (auto* group = dynamic_cast<t_gruppe*>(n))
      EachBitmap(group->FirstMember(), fn);
    else if (auto* bitmap = dynamic_cast<tqvxbitmap*>(n))
      fn(*bitmap);
  }
}

}  // namespace

tqvxbitmap::tqvxbitmap() : t_objekt(kKindBitmap) {}

void tqvxbitmap::SetCorners(double ax, double ay, double bx, double by) {
  x1 = ax;
  y1 = ay;
  x2 = bx;
  y2 = by;
  UpdateExtent();
}

std::int32_t tqvxbitmap::PlacedWidth() const {
  return RoundToI32(std::max(x1, x2) - std::min(x1, x2));
}

std::int32_t tqvxbitmap::PlacedHeight() const {
  return RoundToI32(std::max(y1, y2) - std::min(y1, y2));
}

std::uint16_t tqvxbitmap::TransparentColour16() const {
  return Pack16(transparentColour);
}

// --- written forms ------------------------------------------------------------------

std::string tqvxbitmap::FormatFields() const {
  // The bitmap's line carries no attribute bytes: they do not apply to it.
  const t_schaltung s = GetSwitching();
  return Bracketed(IntToText(Kind()) + ";" + IntToText(s.action) + ";" + IntToText(s.variable) +
                   ";" + RealToText(s.value) + ";" + Quote(name) + ";" + RealToText(x1) + ";" +
                   RealToText(y1) + ";" + RealToText(x2) + ";" + RealToText(y2) + ";" +
                   Quote(file) + ";" + BoolToText(fixedSize()) + ";" + BoolToText(transparent) +
                   ";" + IntToText(identifier) + ";" + IntToText(transparentColour));
}

void tqvxbitmap::ParseFields(std::string_view rest) {
  t_schaltung s;
  s.action = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  s.variable = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  s.value = TextToInt(NextToken(rest));
  SetSwitching(s);
  name = Unquote(NextToken(rest));
  x1 = ClampCoordinate(static_cast<double>(TextToReal(NextToken(rest))));
  y1 = ClampCoordinate(static_cast<double>(TextToReal(NextToken(rest))));
  x2 = ClampCoordinate(static_cast<double>(TextToReal(NextToken(rest))));
  y2 = ClampCoordinate(static_cast<double>(TextToReal(NextToken(rest))));
  file = Unquote(NextToken(rest));
  SetFixedSize(TextToBool(NextToken(rest)));
  transparent = TextToBool(NextToken(rest));
  identifier = TextToInt(NextToken(rest));
  transparentColour = TextToInt(NextToken(rest));
  UpdateExtent();
}

void tqvxbitmap::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + ";" + IntToText(RoundToI32(x1)) + ";" + IntToText(RoundToI32(y1)) +
           ";" + IntToText(RoundToI32(x2)) + ";" + IntToText(RoundToI32(y2)) + ";" +
           BoolToText(transparent) + ";" + IntToText(identifier) + ";" +
           IntToText(TransparentColour16()) + ")");
}

void tqvxbitmap::WriteBinary(ByteSink&) const {
  // The first generation shows no bitmaps: its picture files carry no record.
}

bool tqvxbitmap::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  std::int16_t c[4] = {};
  for (std::int16_t& v : c) in.I16(v);
  std::uint8_t skipped = 0;
  for (std::size_t i = 0; i < kSkippedBinaryBytes; ++i) in.U8(skipped);
  if (in.ok()) {
    x1 = c[0];
    y1 = c[1];
    x2 = c[2];
    y2 = c[3];
  }
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

std::string tqvxbitmap::BitmapFile() const {
  return file;
}

// --- geometry -------------------------------------------------------------------------

void tqvxbitmap::UpdateExtent() {
  SetExtent({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
}

bool tqvxbitmap::HitTest(std::int16_t x, std::int16_t y) const {
  const TermRect e = GetExtent();
  return x >= e.left && x <= e.right && y >= e.top && y <= e.bottom;
}

void tqvxbitmap::MoveBy(std::int16_t dx, std::int16_t dy) {
  x1 += dx;
  x2 += dx;
  y1 += dy;
  y2 += dy;
}

void tqvxbitmap::FitToFrame() {
  UpdateExtent();
  const FrameMapping map = ExtentToFrame();
  x1 = map.X(x1);
  x2 = map.X(x2);
  y1 = map.Y(y1);
  y2 = map.Y(y2);
  UpdateExtent();
}

void tqvxbitmap::Rotate(double, double, int) {}

std::unique_ptr<t_objekt> tqvxbitmap::Clone() const {
  auto copy = std::make_unique<tqvxbitmap>();
  CopyCommonTo(*copy);
  copy->file = file;
  copy->identifier = identifier;
  copy->transparent = transparent;
  copy->transparentColour = transparentColour;
  copy->x1 = x1;
  copy->y1 = y1;
  copy->x2 = x2;
  copy->y2 = y2;
  copy->cache_ = cache_;
  return copy;
}

// --- drawing --------------------------------------------------------------------------

tqvxbitmap::WindowEdges tqvxbitmap::EdgesIn(const tview& view) const {
  WindowEdges e{view.TermToWinX(RoundToI32(x1)), view.TermToWinY(RoundToI32(y1)),
                view.TermToWinX(RoundToI32(x2)), view.TermToWinY(RoundToI32(y2))};
  // A mirrored rectangle is drawn from its far edge; shifting both edges
  // keeps the mirrored image on the same pixels as the unmirrored one.
  if (x2 < x1) {
    --e.left;
    --e.right;
  }
  if (y2 < y1) {
    --e.top;
    --e.bottom;
  }
  return e;
}

void tqvxbitmap::Draw(tview& view, int mode) const {
  t_objekt::Draw(view, mode);
  const WindowEdges e = EdgesIn(view);
  if (file.empty() || !view.canvas()) return;
  if (!cache_ || cache_->file != file) {
    auto fresh = std::make_shared<Cache>();
    fresh->file = file;
    // A missing or unreadable file draws as an empty image: nothing.
    const fs::path path = ResolveBitmapFile(file, {});
    std::string error, damage;
    if (path.empty())
      view.ReportProblem(file, "not found; nothing is drawn");
    else if (!LoadBmp16(path, fresh->image, &error, &damage))
      view.ReportProblem(file, error + "; nothing is drawn");
    else if (!damage.empty())
      view.ReportProblem(file, damage);
    cache_ = std::move(fresh);
  }
  view.canvas()->DrawImage(cache_->image, e.left, e.top, e.right, e.bottom, transparent,
                           TransparentColour16());
}

void tqvxbitmap::DrawPlaced(tview& view, int mode, const Image16& placed) const {
  t_objekt::Draw(view, mode);
  // The same place as Draw gives the file, mirrored edges included; the
  // pixels are mirrored already.
  const WindowEdges e = EdgesIn(view);
  if (!view.canvas()) return;
  view.canvas()->DrawImage(placed, std::min(e.left, e.right), std::min(e.top, e.bottom),
                           std::max(e.left, e.right), std::max(e.top, e.bottom), transparent,
                           TransparentColour16());
}

// --- files ----------------------------------------------------------------------------

fs::path ResolveBitmapFile(const std::string& file, const fs::path& projectFolder,
                           const std::vector<fs::path>& moreFolders) {
  if (file.empty()) return {};
  const fs::path asWritten(WithSlashes(file));
  if (IsFile(asWritten)) return asWritten;
  const std::string name = FileNameOf(file);
  if (name.empty()) return {};
  if (!projectFolder.empty()) {
    if (asWritten.is_relative() && IsFile(projectFolder / asWritten))
      return projectFolder / asWritten;
    if (IsFile(projectFolder / name)) return projectFolder / name;
  }
  for (const fs::path& folder : moreFolders)
    if (IsFile(folder / name)) return folder / name;
  return {};
}

void CollectBitmapUses(t_objekt& object, std::vector<BitmapUse>& out) {
  // Only groups and bitmaps matter; the kind byte passes over the rest
  // without a failing cast.
  if (object.Kind() != kKindGruppe && object.Kind() != kKindBitmap) return;
  if (auto* group = dynamic_cast<t_gruppe*>(&object)) {
    for (t_objekt* m = group->FirstMember(); m; m = static_cast<t_objekt*>(m->next()))
      CollectBitmapUses(*m, out);
    return;
  }
  if (auto* bitmap = dynamic_cast<tqvxbitmap*>(&object))
    out.push_back(
        {bitmap->file, bitmap->PlacedWidth(), bitmap->PlacedHeight(), &bitmap->identifier});
}

fs::path ProjectBitmapFolder(const t_projekt& project) {
  if (project.path.empty() || project.folderName.empty()) return {};
  // Absolute, so that the file fields written never depend on the folder
  // the program happened to run in.
  std::error_code ec;
  const fs::path file = fs::absolute(fs::path(WithSlashes(project.path)), ec);
  return file.parent_path() / project.folderName;
}

namespace {

// What bringing the bitmaps over changed, so that a save that fails after it
// can put everything back.
struct Adoption {
  std::vector<std::string> notCopied;
  std::vector<std::pair<tqvxbitmap*, std::string>> previousFields;
  std::vector<fs::path> copies;
  fs::path createdFolder;

  void Undo() {
    for (auto& [bitmap, file] : previousFields) bitmap->file = std::move(file);
    std::error_code ignored;
    for (const fs::path& copy : copies) fs::remove(copy, ignored);
    // Only a folder this save made, and only while it is empty.
    if (!createdFolder.empty()) fs::remove(createdFolder, ignored);
  }
};

Adoption Adopt(t_projekt& project) {
  Adoption done;
  const fs::path folder = ProjectBitmapFolder(project);
  if (folder.empty()) return done;
  std::error_code ec;
  if (!fs::exists(folder, ec) && fs::create_directories(folder, ec)) done.createdFolder = folder;
  for (t_liste* b = project.pictures.get(); b; b = b->next()) {
    EachBitmap(static_cast<t_bild*>(b)->objects.get(), [&](tqvxbitmap& bitmap) {
      const std::string name = FileNameOf(bitmap.file);
      if (name.empty()) return;
      const fs::path target = folder / name;
      if (!IsFile(target)) {
        const fs::path source = ResolveBitmapFile(bitmap.file, folder);
        std::error_code copyError;
        if (source.empty() || !fs::copy_file(source, target, copyError)) {
          done.notCopied.push_back(bitmap.file);
          return;
        }
        done.copies.push_back(target);
      }
      done.previousFields.emplace_back(&bitmap, bitmap.file);
      bitmap.file = target.string();
    });
  }
  return done;
}

}  // namespace

std::vector<std::string> AdoptBitmapFiles(t_projekt& project) {
  return Adopt(project).notCopied;
}

void LocateBitmapFiles(t_projekt& project,
                       const std::vector<std::filesystem::path>& libraryFolders) {
  const fs::path projectFolder = ProjectBitmapFolder(project);
  std::vector<fs::path> more;
  if (!project.path.empty()) more.push_back(fs::path(WithSlashes(project.path)).parent_path());
  more.insert(more.end(), libraryFolders.begin(), libraryFolders.end());
  for (t_liste* b = project.pictures.get(); b; b = b->next()) {
    EachBitmap(static_cast<t_bild*>(b)->objects.get(), [&](tqvxbitmap& bitmap) {
      const fs::path found = ResolveBitmapFile(bitmap.file, projectFolder, more);
      if (!found.empty()) bitmap.file = found.string();
    });
  }
}

bool SaveProject(t_projekt& project, const std::string& path, std::string* error,
                 std::vector<std::string>* notCopied) {
  // Refused before the bitmaps are brought over: a save that cannot be made
  // creates nothing, not even the project folder.
  if (std::string why = WhyNotSavable(path); !why.empty()) {
    if (error) *error = why;
    return false;
  }
  const std::string oldPath = project.path;
  const std::string oldFolder = project.folderName;
  project.path = path;
  project.folderName = ProjectFolderName(path);
  Adoption adopted = Adopt(project);
  if (!WriteProjectFile(project, path, error)) {
    adopted.Undo();
    project.path = oldPath;
    project.folderName = oldFolder;
    return false;
  }
  if (notCopied) *notCopied = std::move(adopted.notCopied);
  return true;
}

}  // namespace tavo
