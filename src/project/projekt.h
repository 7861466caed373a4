#pragma once
// The open project: head, terminal, coupling, the record lists and the
// bitmap registry. It owns everything it holds.

#include <memory>
#include <string>

#include "project/bmpliste.h"
#include "project/liste.h"
#include "project/records.h"

namespace tavo {

class t_projekt : public t_liste {
 public:
  t_projekt() : t_liste(kTagProjekt) {}
  ~t_projekt() override { Done(); }

  std::unique_ptr<t_kopf> head;
  std::unique_ptr<t_terminal> terminal;
  std::unique_ptr<t_steuerung> coupling;
  ListPtr variables;  // t_variable
  ListPtr alarms;     // t_alarme
  ListPtr textLists;  // t_textliste
  ListPtr pictures;   // t_bild
  t_bmpliste bitmaps;
  std::string folderName;
  std::string path;
  bool modified = false;

  void Done() override;
  // The run file: version line, then every record's run line (operation 15).
  void WriteRunFile(RunWriter& out) const;
};

inline constexpr const char* kProductName = "QVX-Tavo Dex";
inline constexpr const char* kVersionText = "Version 5.0.8.0";

}  // namespace tavo
