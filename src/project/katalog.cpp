#include "project/katalog.h"

#include "shell/folders.h"

namespace tavo {

void t_katalog::LoadDefinitions(const Installation& install) {
  t_liste* last = LastNode(couplings.get());
  for (const auto& file : install.ListFiles("system\\kopplungen", "*.def")) {
    auto coupling = std::make_unique<t_steuerung>();
    coupling->Load(file.string());
    last = AppendNode(couplings, last, std::move(coupling));
  }
  last = LastNode(terminals.get());
  for (const auto& file : install.ListFiles("system\\Terminals", "*.def")) {
    auto terminal = std::make_unique<t_terminal>();
    terminal->Load(file.string());
    last = AppendNode(terminals, last, std::move(terminal));
  }
}

void t_katalog::Done() {
  FreeList(terminals);
  FreeList(couplings);
  FreeList(fonts);
}

const t_terminal* t_katalog::FindTerminal(const std::string& dosVersion) const {
  for (const t_liste* n = terminals.get(); n; n = n->next())
    if (static_cast<const t_terminal*>(n)->dosVersion == dosVersion)
      return static_cast<const t_terminal*>(n);
  return nullptr;
}

const t_steuerung* t_katalog::FindCoupling(const std::string& dosVersion) const {
  for (const t_liste* n = couplings.get(); n; n = n->next())
    if (static_cast<const t_steuerung*>(n)->dosVersion == dosVersion)
      return static_cast<const t_steuerung*>(n);
  return nullptr;
}

const t_terminal* t_katalog::TerminalOrFirst(const std::string& dosVersion) const {
  const t_terminal* t = FindTerminal(dosVersion);
  return t ? t : static_cast<const t_terminal*>(terminals.get());
}

const t_steuerung* t_katalog::CouplingOrFirst(const std::string& dosVersion) const {
  const t_steuerung* c = FindCoupling(dosVersion);
  return c ? c : static_cast<const t_steuerung*>(couplings.get());
}

}  // namespace tavo
