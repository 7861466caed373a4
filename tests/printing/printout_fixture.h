#pragma once
// Small projects built in code for the printout's layout, and readers for
// what a page holds.

#include <memory>
#include <string>
#include <vector>

#include "objects/objectkinds.h"
#include "printing/printproject.h"
#include "project/projekt.h"
#include "resources/fonts.h"
#include "shell/folders.h"
#include "shell/language.h"

namespace tavo::testing {

inline std::unique_ptr<t_projekt> EmptyPrintProject() {
  auto p = std::make_unique<t_projekt>();
  p->head = std::make_unique<t_kopf>();
  p->head->name = "Anlage";
  p->terminal = std::make_unique<t_terminal>();
  p->coupling = std::make_unique<t_steuerung>();
  return p;
}

template <class Record>
Record& Append(ListPtr& list, std::unique_ptr<Record> record) {
  Record& r = *record;
  AppendNode(list, std::move(record));
  return r;
}

inline t_alarme& AddAlarm(t_projekt& p, int number, const std::string& text, int flags = 0) {
  auto a = std::make_unique<t_alarme>();
  a->number = static_cast<std::uint16_t>(number);
  a->name = text;
  a->font = "S008X016.FON";
  a->flags = static_cast<std::uint8_t>(flags);
  return Append(p.alarms, std::move(a));
}

inline t_variable& AddVariable(t_projekt& p, int number, std::int32_t address,
                               const std::string& name) {
  auto v = std::make_unique<t_variable>();
  v->number = static_cast<std::uint16_t>(number);
  v->address = address;
  v->name = name;
  return Append(p.variables, std::move(v));
}

inline t_bild& AddPicture(t_projekt& p, int number, const std::string& name) {
  auto b = std::make_unique<t_bild>();
  b->pictureNumber = static_cast<std::uint16_t>(number);
  b->number = static_cast<std::uint16_t>(number);
  b->name = name;
  return Append(p.pictures, std::move(b));
}

inline PrintOptions NothingPrinted() {
  PrintOptions o;
  o.projectInfo = o.alarms = o.variables = o.textLists = false;
  o.pictures = PictureScope::None;
  return o;
}

// The texts of every block of a page, in order, one string per text op.
inline std::vector<std::string> BlockTexts(const PrintPage& page) {
  std::vector<std::string> texts;
  for (const PageItem& item : page.items)
    if (const auto* b = std::get_if<PageBlock>(&item))
      for (const BlockOp& op : b->block.ops)
        if (const auto* t = std::get_if<BlockText>(&op)) texts.push_back(t->text);
  return texts;
}

inline std::vector<std::string> Titles(const PrintPage& page) {
  std::vector<std::string> titles;
  for (const PageItem& item : page.items)
    if (const auto* t = std::get_if<PageTitle>(&item)) titles.push_back(t->text);
  return titles;
}

inline std::vector<std::string> Notes(const PrintPage& page) {
  std::vector<std::string> notes;
  for (const PageItem& item : page.items)
    if (const auto* n = std::get_if<PageNote>(&item)) notes.push_back(n->text);
  return notes;
}

// The blocks whose first text begins with `prefix`.
inline std::vector<const PageBlock*> BlocksStartingWith(const PrintPage& page,
                                                        const std::string& prefix) {
  std::vector<const PageBlock*> found;
  for (const PageItem& item : page.items) {
    const auto* b = std::get_if<PageBlock>(&item);
    if (!b) continue;
    for (const BlockOp& op : b->block.ops) {
      if (const auto* t = std::get_if<BlockText>(&op)) {
        if (t->text.rfind(prefix, 0) == 0) found.push_back(b);
        break;
      }
    }
  }
  return found;
}

// The shade of a row block: its first fill.
inline Rgb ShadeOf(const PageBlock& block) {
  return std::get<BlockFill>(block.block.ops.front()).colour;
}

struct PrintBench {
  Installation install{TAVO_DATA_DIR};
  GermanTranslator german;
  FontCache fonts{install};

  Printout Build(const t_projekt& project, const PrintOptions& options) {
    PrintContext context{german, &fonts, "24.12.2026"};
    return PrintProject(project, options, context).CreatePreview();
  }
};

}  // namespace tavo::testing
