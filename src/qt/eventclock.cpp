#include "qt/eventclock.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tavo {

QtEventClock::QtEventClock() {
  elapsed_.start();
}

QtEventClock::~QtEventClock() = default;

void QtEventClock::DeleteStopped() {
  if (dispatching_ == 0) stopped_.clear();
}

EventClock::TimerId QtEventClock::StartTimer(int intervalMs, std::function<void()> onTimeout) {
  auto timer = std::make_unique<QTimer>();
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(intervalMs);
  QObject::connect(timer.get(), &QTimer::timeout, timer.get(),
                   [this, callback = std::move(onTimeout)] {
                     ++dispatching_;
                     callback();
                     --dispatching_;
                   });
  timer->start();
  timers_[++lastId_] = std::move(timer);
  return lastId_;
}

void QtEventClock::StopTimer(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  stopped_.push_back(std::move(it->second));
  timers_.erase(it);
  DeleteStopped();
}

void QtEventClock::ProcessEvents() {
  DeleteStopped();
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
