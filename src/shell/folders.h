#pragma once
// The installation below the base folder. Paths in the program are written
// as the installation names them ("system\Terminals\", "fonts\"), with '\'
// and in any case; they are mapped onto the file system here, and only here.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

class Installation {
 public:
  explicit Installation(std::filesystem::path baseFolder);

  const std::filesystem::path& BaseFolder() const { return base_; }

  // Maps a relative installation path ("system\\Terminals\\x.def") onto an
  // existing entry, matching each component without regard to case. Missing
  // components are kept as written (so the result can be created).
  std::filesystem::path Resolve(std::string_view relative) const;

  // Files (not folders) in `folder` whose names match `pattern` ("*.def",
  // "*.fon"; case-insensitive), sorted by ascending file name.
  std::vector<std::filesystem::path> ListFiles(std::string_view folder,
                                               std::string_view pattern) const;

 private:
  std::filesystem::path base_;
};

// Case-insensitive glob match of a file name ('*' and '?').
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace tavo
