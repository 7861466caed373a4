#pragma once
// Import of projects of the DOS generation: a record container "*.prj"
// (stream 0 the project header, 2 the picture directory, 4 the alarms,
// 5 the variables) and one binary picture file per picture beside it. The
// layout is the one the first-generation image writer produces, so every
// such image can be read back as well.
//
// Everything read here is untrusted: counts are checked against the bytes
// the file holds, names against the folder, and a damaged picture file is
// reported and kept as far as it could be read.

#include <cstdint>
#include <memory>
#include <string>

#include "project/projekt.h"

namespace tavo {

class MessageBox;
class ProgressDisplay;
class Translator;
class t_katalog;

struct DosImportContext {
  // Terminal and coupling lookup by DOS version (first entry as fallback);
  // null or empty: the records keep their defaults and the stored version.
  const t_katalog* catalog = nullptr;
  MessageBox* messages = nullptr;    // null: messages are dropped
  Translator* translator = nullptr;  // null: German texts
  // The two bars of the import window: the whole project and the part being
  // read. SetCaption on `overall` announces that the container opened and
  // reading begins (the window shows itself then). Either may be null.
  ProgressDisplay* overall = nullptr;
  ProgressDisplay* part = nullptr;
};

struct DosImportResult {
  // Null when the container could not be opened or holds no project header;
  // the reason has been shown through the message box.
  std::unique_ptr<t_projekt> project;
  // The container's open result (0, a file error, or 10002 not a container).
  std::int16_t openCode = 0;
  int alarms = 0;
  int variables = 0;
  int pictures = 0;
  int objects = 0;          // top-level objects of all pictures
  int textLists = 0;        // made from the text list fields' records
  int damagedPictures = 0;  // picture files missing, foreign, cut short or damaged
  int messages = 0;         // message boxes shown
};

// Reads the DOS project `prjPath` into a new project. The picture files are
// looked for in the same folder (the name as stored, else the same name in
// any case). The result's project is not modified and has no path yet.
DosImportResult ImportDosProject(const std::string& prjPath, DosImportContext& context);

// The picture number a directory file name carries: the decimal digits from
// its fourth character up to the first '.'. False when they are no number
// in 1..65535 ("00100042.BLD" gives 42).
bool PictureNumberFromFileName(const std::string& fileName, std::uint16_t& number);

// The message for a container open code: the OS error texts for 1..8, the
// import's own texts for "not a container" and every other failure.
std::string OpenFailureText(std::int16_t code, Translator& translator);

}  // namespace tavo
