#pragma once
// The registry of every (group, entry) pair the program translates, with its
// German text (UTF-8 here; converted to code page 1252 when used). Pairs are
// keyed by translators' tables: once shipped, a pair never changes meaning.

#include <cstdint>
#include <span>

namespace tavo {

struct TextId {
  std::uint16_t group;
  std::uint16_t entry;
  const char* german;  // UTF-8
};

namespace txt {
// Group 1: project file.
inline constexpr TextId kProjektfileFehlerhaft{1, 1, "Projektfile fehlerhaft !"};
inline constexpr TextId kProjektfileGruppenfehler{1, 2, "Projektfile fehlerhaft (Gruppenfehler)!"};
inline constexpr TextId kCannotOpenNoQvx{1, 3, "Cannot open - no QVX-Projekt-File !"};
inline constexpr TextId kFehlerBeiDateizugriff{1, 4, "Fehler bei Dateizugriff"};
inline constexpr TextId kProjektNichtGesichert{1, 5, "Projekt noch nicht gesichert, nun sichern ?"};
inline constexpr TextId kProjektSpeichernUnter{1, 100, "Projekt speichern unter ..."};
inline constexpr TextId kProjektOeffnen{1, 101, "Öffnen eines Projekts"};
inline constexpr TextId kProjektLaden{1, 102, "Projekt laden"};
inline constexpr TextId kProgressProjekt{1, 103, "Projekt"};
inline constexpr TextId kLabelVariables{1, 104, "Variables"};
inline constexpr TextId kLabelAlarms{1, 105, "Alarms"};
inline constexpr TextId kLabelTextlists{1, 106, "Textlists"};
inline constexpr TextId kLabelPictures{1, 107, "Pictures"};
inline constexpr TextId kFilterQvxSave{1, 108, "QVX-Tavo-Dex Datei|*.qvx|Alle Dateien|*.*"};
inline constexpr TextId kFilterQvxOpen{1, 109, "QVX-Tavo-Dex Datei|*.qvx"};
}  // namespace txt

// Every registered text, for the language table check and the tools.
std::span<const TextId> AllTexts();

}  // namespace tavo
