#include "qt/eventclock.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tavo {

QtEventClock::QtEventClock() {
  elapsed_.start();
}

QtEventClock::~QtEventClock() = default;

EventClock::TimerId QtEventClock::StartTimer(int intervalMs, std::function<void()> onTimeout) {
  auto timer = std::make_unique<QTimer>();
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(intervalMs);
  QObject::connect(timer.get(), &QTimer::timeout, timer.get(), std::move(onTimeout));
  timer->start();
  timers_[++lastId_] = std::move(timer);
  return lastId_;
}

void QtEventClock::StopTimer(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  // A timer may be stopped from its own callback: delete it later.
  it->second.release()->deleteLater();
  timers_.erase(it);
}

void QtEventClock::ProcessEvents() {
  // With a timer running the wait ends at its next timeout at the latest.
  if (!timers_.empty())
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  else
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

std::int64_t QtEventClock::NowMs() const {
  return elapsed_.elapsed();
}

}  // namespace tavo
