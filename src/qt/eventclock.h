#pragma once
// The transfer's timers on QTimer, its waits on the thread's event loop:
// while a command waits, windows repaint and the 1 ms poll of the line and
// the 50 ms tick keep running.

#include <QElapsedTimer>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "download/protocol/eventclock.h"

namespace tavo {

class QtEventClock : public EventClock {
 public:
  QtEventClock();
  ~QtEventClock() override;

  TimerId StartTimer(int intervalMs, std::function<void()> onTimeout) override;
  void StopTimer(TimerId id) override;
  void ProcessEvents() override;
  std::int64_t NowMs() const override;

 private:
  void DeleteStopped();

  std::map<TimerId, std::unique_ptr<QTimer>> timers_;
  // Stopped timers wait here until no timer callback runs: one may have
  // stopped its own timer.
  std::vector<std::unique_ptr<QTimer>> stopped_;
  int dispatching_ = 0;
  TimerId lastId_ = 0;
  QElapsedTimer elapsed_;
};

}  // namespace tavo
