#pragma once
// The picture exchange file (one picture with the variables and text lists
// it uses) and the symbol files (selected objects with theirs), both built
// from the project-file lines; and the merge that brings what such a file
// holds into a project: an equal variable or text list is reused, any other
// is added under a new number, and the objects are renumbered to match.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/exchangefile.h"
#include "objects/objekt.h"
#include "project/projekt.h"

namespace tavo {

class ObjectFactory;
class Translator;

// --- writing -----------------------------------------------------------------------

// The variables and text lists of the project that the objects use (members
// included), in the project's order.
std::vector<const t_variable*> VariablesUsedBy(const t_projekt& project,
                                               std::span<const t_objekt* const> objects);
std::vector<const t_textliste*> TextListsUsedBy(const t_projekt& project,
                                                std::span<const t_objekt* const> objects);

void WritePictureExchange(const t_projekt& project, const t_bild& picture, const LineSink& sink);
// `objects`: the selected top-level objects, in list order. The name is
// written as given (the caller trims it).
void WriteSymbolFile(const t_projekt& project, std::span<const t_objekt* const> objects,
                     const std::string& name, const LineSink& sink);

// --- reading ------------------------------------------------------------------------

// What a picture exchange or symbol file holds, with the numbers of the
// project it came from, not yet part of any project.
struct ExchangeContent {
  bool readable = true;  // false: not a file of this kind; nothing to import
  ListPtr variables;     // t_variable, file order
  ListPtr textLists;     // t_textliste, file order
  ListPtr pictures;      // t_bild (picture exchange file)
  ListPtr objects;       // the symbol's objects (symbol file)
  std::string symbolName;
  std::vector<ExchangeMessage> messages;
};

ExchangeContent ReadPictureExchange(std::string_view bytes, ObjectFactory& factory);
// The text form of a symbol (".txt").
ExchangeContent ReadSymbolText(std::string_view bytes, ObjectFactory& factory);
// The binary form (".sym"): "QVX_SymFile", the name, one group record. The
// texts of text list fields become text lists of the content.
ExchangeContent ReadSymbolBinary(std::string_view bytes, Translator& translator);

// --- merging ----------------------------------------------------------------------------

// A key of an imported picture that called a picture which did not come
// with it: its function was cleared.
struct ClearedKey {
  std::string picture;
  int key = 0;
};

// What the merge adds to the project, ready to be appended.
struct MergePlan {
  std::vector<ListPtr> variables;
  std::vector<ListPtr> textLists;
  std::vector<ListPtr> pictures;   // numbered and keyed for the project
  std::vector<ObjectPtr> objects;  // a symbol's objects
  std::vector<ClearedKey> clearedKeys;
};

// Decides every old-to-new pair of variable and text list numbers first and
// then renumbers every imported object once. New pictures get the smallest
// free numbers and picture numbers from 1; their keys follow the pictures of
// the same file (by the number the file gave them) and lose their function
// otherwise. `sheetWidth`, `sheetHeight`: the editor sheet, to centre the
// pictures' display (0: origin 0, 0).
MergePlan PlanMerge(const t_projekt& project, ExchangeContent content, int sheetWidth = 0,
                    int sheetHeight = 0);

// Text lists are equal when name, kind and every text with its value are,
// in order.
bool EqualTextLists(const t_textliste& a, const t_textliste& b);

}  // namespace tavo
