#pragma once
// A progress display for long operations (loading, building, importing).

#include <string>

namespace tavo {

class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  virtual void SetCaption(const std::string& /*cp1252*/) {}
  virtual void SetLabel(const std::string& /*cp1252*/) {}
  // 0..100; called only when the rounded value changes.
  virtual void SetPercent(int /*percent*/) {}
};

}  // namespace tavo
