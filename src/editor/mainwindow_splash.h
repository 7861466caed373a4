#pragma once
// The splash window: the program's picture and version, shown at start and
// again by the "Info" command. It closes itself after four seconds, on a
// click on the picture, on Enter and on Escape, and frees itself when closed.

#include <QTimer>
#include <QWidget>

class QLabel;

namespace tavo {

class Translator;

class TFirstQVXWin : public QWidget {
  Q_OBJECT
 public:
  // `translator` may be null while the language is not loaded yet; the
  // picture's hint is then set by SetTranslator().
  explicit TFirstQVXWin(Translator* translator, QWidget* parent = nullptr);
  void SetTranslator(Translator* translator);
  // Shows the window centred on the screen, not modal.
  void Present();

  static constexpr int kShowMilliseconds = 4000;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* picture_;
  QLabel* version_;
  QTimer timer_;
};

}  // namespace tavo
