#pragma once
// The project image of first-generation terminals: the record container
// "00100000.PRJ" (streams 0 header, 2 picture directory, 4 alarms,
// 5 variables) and one binary picture file "001nnnnn.BLD" per picture.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "project/projekt.h"
#include "project/usedfiles.h"

namespace tavo {

inline constexpr const char* kLegacyProjectFile = "00100000.PRJ";
inline constexpr std::size_t kHeaderRecordSize = 305;
inline constexpr std::size_t kVariableRecordSize = 36;
inline constexpr std::size_t kPictureRecordSize = 45;
inline constexpr std::size_t kAlarmRecordSize = 274;
inline constexpr std::size_t kKeyEntrySize = 35;
inline constexpr int kKeyTableKeys = 48;
inline constexpr std::size_t kPictureFileHeaderSize = 1730;

// "00100007.BLD" for picture number 7.
std::string LegacyPictureFileName(std::uint16_t pictureNumber);

// The records, each exactly its stream's record size.
std::vector<std::uint8_t> ProjectHeaderRecord(const t_projekt& project,
                                              const std::string& downloadDate);
std::vector<std::uint8_t> VariableRecord(const t_variable& variable);
std::vector<std::uint8_t> PictureDirectoryRecord(const t_bild& picture);
std::vector<std::uint8_t> AlarmRecord(const t_alarme& alarm);
// The 48 entries of 35 bytes for the picture's keys 1..48.
std::vector<std::uint8_t> KeyTable(const t_bild& picture, const t_liste* pictures);
// The whole picture file; enters every object's fonts in `usedFiles`. Text
// list fields carry the texts of their list in `textLists` (the project's).
std::vector<std::uint8_t> LegacyPictureFile(const t_bild& picture, const t_liste* pictures,
                                            UsedFileTable& usedFiles,
                                            const t_liste* textLists = nullptr);

// Writes the container and the picture files into `folder`, entering the
// fonts used (objects, alarms, the system font) in `usedFiles`. False with
// the failing file's name in `failedFile` when a file cannot be written.
bool WriteLegacyProject(const t_projekt& project, const std::filesystem::path& folder,
                        const std::string& downloadDate, UsedFileTable& usedFiles,
                        std::string& failedFile);

}  // namespace tavo
