#include "download/protocol/fileinfo.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "download/protocol/frame.h"
#include "shell/folders.h"
#include "shell/textcase.h"

namespace fs = std::filesystem;

namespace tavo {

void PutCounted(std::uint8_t* out, std::size_t capacity, std::string_view text) {
  const std::size_t n = std::min(capacity, text.size());
  out[0] = static_cast<std::uint8_t>(n);
  std::fill(out + 1, out + 1 + capacity, std::uint8_t{0});
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), out + 1);
}

std::string GetCounted(const std::uint8_t* in, std::size_t capacity) {
  const std::size_t n = std::min<std::size_t>(in[0], capacity);
  return std::string(reinterpret_cast<const char*>(in + 1), n);
}

void EncodeFileInfo(const FileInfoRecord& record, std::uint8_t* out) {
  out[0] = record.attribute;
  PutU32(out + 1, record.time);
  PutU32(out + 5, static_cast<std::uint32_t>(record.size));
  PutCounted(out + 9, 12, record.name);
}

FileInfoRecord DecodeFileInfo(const std::uint8_t* in) {
  FileInfoRecord record;
  record.attribute = in[0];
  record.time = GetU32(in + 1);
  record.size = static_cast<std::int32_t>(GetU32(in + 5));
  record.name = GetCounted(in + 9, 12);
  return record;
}

bool FitsShortName(std::string_view name) {
  constexpr std::string_view kForbidden = " \"*+,/:;<=>?[\\]|";
  const std::size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view ext =
      dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string_view::npos && ext.empty()) return false;
  for (std::string_view part : {base, ext})
    for (char ch : part)
      if (static_cast<unsigned char>(ch) < 0x20 || ch == '.' ||
          kForbidden.find(ch) != std::string_view::npos)
        return false;
  return true;
}

std::uint32_t PackFatTime(fs::file_time_type time) {
  const auto system = std::chrono::file_clock::to_sys(time);
  const std::time_t t = std::chrono::system_clock::to_time_t(system);
  std::tm tm{};
  if (!localtime_r(&t, &tm) || tm.tm_year < 80) return (1u << 5 | 1u) << 16;
  const std::uint32_t date = static_cast<std::uint32_t>(((tm.tm_year - 80) & 0x7F) << 9 |
                                                        (tm.tm_mon + 1) << 5 | tm.tm_mday);
  const std::uint32_t clock =
      static_cast<std::uint32_t>(tm.tm_hour << 11 | tm.tm_min << 5 | tm.tm_sec / 2);
  return date << 16 | clock;
}

FileInfoRecord DescribeLocalFile(const fs::path& file, std::error_code& ec) {
  FileInfoRecord record;
  const fs::file_status status = fs::status(file, ec);
  if (ec) return record;
  if (fs::is_directory(status)) {
    record.attribute = kAttrDirectory;
  } else {
    record.attribute = kAttrArchive;
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
      record.attribute |= kAttrReadOnly;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) return record;
    // The record holds a signed 32-bit size; larger files cannot travel.
    if (size > 0x7FFFFFFFu) {
      ec = std::make_error_code(std::errc::file_too_large);
      return record;
    }
    record.size = static_cast<std::int32_t>(size);
  }
  const fs::file_time_type stamp = fs::last_write_time(file, ec);
  if (ec) return record;
  record.time = PackFatTime(stamp);
  record.name = file.filename().string().substr(0, 12);
  return record;
}

namespace {

bool EntryExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

fs::path ResolveCaseInsensitive(const fs::path& path) {
  if (EntryExists(path)) return path;
  fs::path result = path.root_path();
  bool onDisk = true;
  for (const fs::path& part : path.relative_path()) {
    const std::string name = part.string();
    if (name.empty()) continue;
    if (onDisk && !EntryExists(result / part) && name != "." && name != "..") {
      std::error_code ec;
      std::string best;
      const fs::path folder = result.empty() ? fs::path(".") : result;
      for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (EqualsIgnoreCase(candidate, name) && (best.empty() || candidate < best))
          best = candidate;
      }
      if (best.empty()) {
        onDisk = false;
        result /= part;
      } else {
        result /= best;
      }
      continue;
    }
    result /= part;
  }
  return result;
}

bool MatchesDosPattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  return MatchesPattern(name, pattern);
}

std::vector<fs::path> ListMatchingFiles(const fs::path& folder, std::string_view pattern,
                                        std::error_code& ec) {
  std::vector<fs::path> files;
  ec.clear();
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code statusError;
    if (name.empty() || name[0] == '.' || !it->is_regular_file(statusError)) continue;
    if (MatchesDosPattern(name, pattern)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(),
            [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
  return files;
}

}  // namespace tavo
