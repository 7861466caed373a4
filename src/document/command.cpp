#include "document/command.h"

namespace tavo {

void MacroCommand::Do() noexcept {
  for (const CommandPtr& step : steps_) step->Do();
}

void MacroCommand::Undo() noexcept {
  for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) (*it)->Undo();
}

void MacroCommand::Report(bool undone, ChangeSink& sink) const {
  if (undone) {
    for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) (*it)->Report(true, sink);
  } else {
    for (const CommandPtr& step : steps_) step->Report(false, sink);
  }
}

t_bild* MacroCommand::Picture() const {
  for (const CommandPtr& step : steps_)
    if (t_bild* picture = step->Picture()) return picture;
  return nullptr;
}

}  // namespace tavo
