#pragma once
// Time as the transfer sees it: periodic timers and a way to let the user
// interface run while a command waits. The program runs it on its event
// loop; tests run it on virtual time.

#include <cstdint>
#include <functional>

namespace tavo {

class EventClock {
 public:
  using TimerId = int;
  virtual ~EventClock() = default;

  // Calls `onTimeout` every `intervalMs` from within ProcessEvents() until
  // stopped. Returns an id above 0.
  virtual TimerId StartTimer(int intervalMs, std::function<void()> onTimeout) = 0;
  virtual void StopTimer(TimerId id) = 0;

  // Handles what is pending (timers, repaints, port notifications), waiting
  // for the next event when there is none. Every waiting loop of the
  // transfer calls it.
  virtual void ProcessEvents() = 0;

  // Milliseconds since an arbitrary start.
  virtual std::int64_t NowMs() const = 0;
};

}  // namespace tavo
