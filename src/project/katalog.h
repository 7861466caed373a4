#pragma once
// The installed terminal and coupling definitions (and the font list, which
// the font code fills), loaded once at start. Projects hold copies of its
// entries, never the entries themselves.

#include <string>

#include "project/liste.h"
#include "project/records.h"

namespace tavo {

class Installation;

class t_katalog : public t_liste {
 public:
  t_katalog() : t_liste(kTagKatalog) {}
  ~t_katalog() override { Done(); }

  ListPtr terminals;  // t_terminal, one per "system\Terminals\*.def"
  ListPtr couplings;  // t_steuerung, one per "system\kopplungen\*.def"
  ListPtr fonts;      // t_fonteintrag, one per "fonts\*.fon"

  // Reads every coupling, then every terminal definition, in ascending file
  // name order (the first entry is the fallback for unknown DOS versions).
  void LoadDefinitions(const Installation& install);
  void Done() override;

  // The first entry with exactly this DOS version, or null.
  const t_terminal* FindTerminal(const std::string& dosVersion) const;
  const t_steuerung* FindCoupling(const std::string& dosVersion) const;
  // As above, falling back to the first entry; null only when none is installed.
  const t_terminal* TerminalOrFirst(const std::string& dosVersion) const;
  const t_steuerung* CouplingOrFirst(const std::string& dosVersion) const;
};

}  // namespace tavo
