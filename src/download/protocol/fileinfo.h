#pragma once
// The 22-byte description of one directory entry, as the terminal and the
// editor exchange it, and the editor's view of its own files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tavo {

inline constexpr std::size_t kFileInfoSize = 22;
inline constexpr std::uint8_t kAttrReadOnly = 0x01;
inline constexpr std::uint8_t kAttrHidden = 0x02;
inline constexpr std::uint8_t kAttrSystem = 0x04;
inline constexpr std::uint8_t kAttrVolume = 0x08;
inline constexpr std::uint8_t kAttrDirectory = 0x10;
inline constexpr std::uint8_t kAttrArchive = 0x20;

struct FileInfoRecord {
  std::uint8_t attribute = 0;
  std::uint32_t time = 0;  // FAT date (high word) and time (low word)
  std::int32_t size = 0;
  std::string name;  // at most 12 characters

  bool IsDirectoryOrVolume() const { return (attribute & (kAttrDirectory | kAttrVolume)) != 0; }
};

// Writes kFileInfoSize bytes; the name is cut to 12 characters, unused name
// bytes are zero.
void EncodeFileInfo(const FileInfoRecord& record, std::uint8_t* out);
// A length byte above 12 is taken as 12.
FileInfoRecord DecodeFileInfo(const std::uint8_t* in);

// Counted string s[N] of N + 1 bytes: cut to N, zero behind the characters.
void PutCounted(std::uint8_t* out, std::size_t capacity, std::string_view text);
std::string GetCounted(const std::uint8_t* in, std::size_t capacity);

// Whether `name` is a DOS 8.3 name a terminal accepts: one to eight
// characters, optionally a dot and one to three more, none of them a blank,
// a path separator or one of the characters DOS forbids.
bool FitsShortName(std::string_view name);

// FAT packed date and time of a file time (local time; years before 1980
// give 1980-01-01 00:00).
std::uint32_t PackFatTime(std::filesystem::file_time_type time);

// The editor's description of a local file: the name as stored (this file
// system keeps no separate short form) cut to 12 characters.
FileInfoRecord DescribeLocalFile(const std::filesystem::path& file, std::error_code& ec);

// `path` with each component that does not exist as written replaced by the
// first entry of its folder that differs only in case; components that have
// no match either are kept as written. Text commands lower-case whole lines,
// and this is how their paths still find mixed-case folders.
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& path);

// Whether a file name matches a DOS pattern ('*' and '?', any case); "*.*"
// matches every name, also one without a dot.
bool MatchesDosPattern(std::string_view name, std::string_view pattern);

// The plain files of `folder` (no folders, no hidden files) that match
// `pattern`, sorted by name, so that "directory order" is the same on every
// file system.
std::vector<std::filesystem::path> ListMatchingFiles(const std::filesystem::path& folder,
                                                     std::string_view pattern, std::error_code& ec);

}  // namespace tavo
