#pragma once
// The project's registry of bitmap files: one identifier per distinct file
// and placed size. The identifier names the pixel files built for the
// terminal, so identifiers stored in a project are kept wherever possible.

#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

struct bmprectype {
  std::string fileName;
  std::int32_t identifier = 0;
  std::int16_t useCount = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const bmprectype&) const = default;
};

class t_bmpliste {
 public:
  static constexpr std::int32_t kMaxIdentifier = 10000;
  // Returned by Register when all identifiers are taken.
  static constexpr std::int32_t kNoIdentifier = 0;

  std::int32_t Register(const std::string& fileName, std::int32_t width, std::int32_t height,
                        std::int32_t currentIdentifier);
  void Release(std::int32_t identifier);
  void Clear() { entries_.clear(); }
  // Exchanges the whole registry with `entries`: commands that place or
  // remove bitmaps prepare the registry they lead to and swap it in and out.
  void Swap(std::vector<bmprectype>& entries) noexcept { entries_.swap(entries); }
  bool operator==(const t_bmpliste& other) const;
  const std::vector<bmprectype>& Entries() const { return entries_; }

 private:
  bool HasIdentifier(std::int32_t id) const;
  std::vector<bmprectype> entries_;
};

// A bitmap object as the registry sees it: file, placed size, identifier.
struct BitmapUse {
  std::string fileName;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t* identifier = nullptr;  // the object's own field
};

}  // namespace tavo
