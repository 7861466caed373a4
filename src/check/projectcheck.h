#pragma once
// The project check: walks a project as the terminal will receive it and
// tells what will go wrong there (errors), what was probably not meant
// (warnings) and what is merely worth knowing (notes). Every finding has a
// stable code, a message from the language table and the place it belongs
// to, so the command line can fail a build on it and the editor can lead
// the user to the object or record.
//
// The check only reads: the project, the font catalogue, and the bitmap and
// installation files the download would read. It changes nothing.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "shell/texts.h"

namespace tavo {

class Installation;
class Translator;
class t_bild;
class t_liste;
class t_objekt;
class t_projekt;

// Ordered: a finding "at or above" a severity compares greater or equal.
enum class Severity : std::uint8_t { Note = 0, Warning = 1, Error = 2 };

struct CheckRule {
  const char* code;  // "E101": the first letter tells the severity
  Severity severity;
  TextId message;  // "%s" stand for the finding's values, in order
};

// Every rule the check knows, in code order.
std::span<const CheckRule> AllCheckRules();
// Null for a code no rule has.
const CheckRule* FindCheckRule(std::string_view code);

enum class PlaceKind : std::uint8_t { Project, Picture, Object, Key, Variable, Alarm, TextList };

// Where a finding belongs. Positions are counted from 0 in list order, so a
// place stays meaningful only until the project changes; the names are kept
// for the text.
struct FindingPlace {
  PlaceKind kind = PlaceKind::Project;
  // Picture, Object, Key: the picture's position, number ("Bildnummer") and name.
  int picture = -1;
  std::uint16_t pictureNumber = 0;
  std::string pictureName;
  // Object: positions from the picture's object list down through groups;
  // the object's kind and name (empty: it shows its type name).
  std::vector<int> object;
  std::uint8_t objectKind = 0;
  std::string objectName;
  // Key: its number 1..256.
  int key = 0;
  // Variable, Alarm, TextList: the record's position, number and name.
  int record = -1;
  std::uint16_t number = 0;
  std::string name;
};

struct Finding {
  const CheckRule* rule = nullptr;
  std::vector<std::string> values;  // code page 1252
  FindingPlace place;

  Severity severity() const { return rule->severity; }
  const char* code() const { return rule->code; }
};

struct CheckContext {
  // The catalogue's fonts (t_fonteintrag); null: fonts are not checked.
  const t_liste* fonts = nullptr;
  // Where the download finds graphics and the terminal's file lists; null:
  // only the project's own files count and bitmaps are looked for beside
  // the project.
  const Installation* install = nullptr;
};

// Findings in a fixed order: project-wide first, then pictures (objects in
// tree order, then keys), variables, text lists and alarms.
std::vector<Finding> CheckProject(const t_projekt& project, const CheckContext& context);

// How many findings have at least the given severity.
int CountAtLeast(const std::vector<Finding>& findings, Severity severity);

// --- texts (code page 1252, through the language table) ---------------------

std::string SeverityText(Severity severity, Translator& translator);
std::string FindingMessage(const Finding& finding, Translator& translator);
// "Bild 1 "Übersicht", Rechteck "Rahmen"", "Variable 5 "Motor"", "Projekt" ...
std::string PlaceText(const FindingPlace& place, Translator& translator);
// "E101 Fehler: Bild 1 "Start", Ausgabefeld "Wert": Variable 9 gibt es nicht".
std::string FindingLine(const Finding& finding, Translator& translator);
// "2 Fehler, 1 Warnungen, 0 Hinweise".
std::string CheckSummary(const std::vector<Finding>& findings, Translator& translator);
// `text` with each "%s" replaced by the next of `values` (missing ones empty).
std::string FillIn(std::string text, const std::vector<std::string>& values);

// --- finding the place again --------------------------------------------------

// The picture at a position of the list; null when there is none.
t_bild* PictureAtPosition(t_projekt& project, int position);
// The object a path of positions leads to; null when it leads nowhere.
t_objekt* ObjectAtPath(t_bild& picture, const std::vector<int>& path);
// The record at a position of a list; null when there is none.
t_liste* RecordAtPosition(t_liste* list, int position);
const t_liste* RecordAtPosition(const t_liste* list, int position);

}  // namespace tavo
