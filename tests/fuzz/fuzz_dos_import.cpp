// The whole DOS import on a project container and one picture file. The
// input is split: two bytes (little-endian) give the length of the
// container part, the rest is the picture file "00100001.BLD" beside it.
// The import must end with a project or a message, never crash or hang.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "legacy/dosimport.h"
#include "project/katalog.h"
#include "project/records.h"

namespace {

namespace fs = std::filesystem;

// One folder per process, removed at exit.
struct Folder {
  fs::path path;
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "tavo_fuzz_dos_XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
  }
  ~Folder() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
};

void Write(const fs::path& file, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

const tavo::t_katalog& Catalog() {
  static tavo::t_katalog catalog;
  if (!catalog.terminals) {
    auto terminal = std::make_unique<tavo::t_terminal>();
    terminal->dosVersion = "VTA_Q320.TRM";
    tavo::AppendNode(catalog.terminals, std::move(terminal));
    auto coupling = std::make_unique<tavo::t_steuerung>();
    coupling->dosVersion = "SPS_DBW.KOP";
    coupling->addressFormat = 1;
    tavo::AppendNode(catalog.couplings, std::move(coupling));
  }
  return catalog;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Folder folder;
  if (folder.path.empty() || size < 2) return 0;
  const std::size_t split = std::min<std::size_t>(size - 2, data[0] | (data[1] << 8));
  Write(folder.path / "A.PRJ", data + 2, split);
  Write(folder.path / "00100001.BLD", data + 2 + split, size - 2 - split);

  tavo::DosImportContext context;
  context.catalog = &Catalog();
  tavo::DosImportResult result = tavo::ImportDosProject((folder.path / "A.PRJ").string(), context);
  if (result.project) {
    if (tavo::CountNodes(result.project->pictures.get()) != result.pictures) std::abort();
    if (!result.project->head || !result.project->terminal || !result.project->coupling)
      std::abort();
  } else if (result.messages == 0) {
    std::abort();  // a refused file is always reported
  }
  return 0;
}
