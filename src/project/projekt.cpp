#include "project/projekt.h"

#include "project/runwriter.h"

namespace tavo {

void t_projekt::Done() {
  if (head) head->Done();
  head.reset();
  if (terminal) terminal->Done();
  terminal.reset();
  if (coupling) coupling->Done();
  coupling.reset();
  FreeList(variables);
  FreeList(alarms);
  FreeList(pictures);
  FreeList(textLists);
  bitmaps.Clear();
}

void t_projekt::WriteRunFile(RunWriter& out) const {
  out.Line("-(Version;" + Quote(kVersionText) + ")");
  if (head) head->WriteRunLines(out);
  if (terminal) terminal->WriteRunLines(out);
  if (coupling) coupling->WriteRunLines(out);
  ForEach<t_variable>(variables,
                      [&](const t_variable& v) { v.WriteRunLines(out, coupling.get()); });
  for (const t_liste* n = alarms.get(); n; n = n->next()) n->WriteRunLines(out);
  for (const t_liste* n = textLists.get(); n; n = n->next()) n->WriteRunLines(out);
  for (const t_liste* n = pictures.get(); n; n = n->next()) n->WriteRunLines(out);
}

}  // namespace tavo
