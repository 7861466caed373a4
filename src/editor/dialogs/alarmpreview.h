#pragma once
// How the terminal shows an alarm, for the alarm page and the alarm dialog:
// a dark blue field with white frames, a line frame holding the alarm text
// (white in the alarm's font on grey, broken into lines as the terminal
// breaks them) beside a box with the date and time placeholders in the
// terminal's small font.

#include <QImage>
#include <QLabel>
#include <string>

#include "project/records.h"  // AlarmLineLength

namespace tavo {

class FontCache;

// The terminal's width in pixels (0: no terminal is set) decides the width
// of the line frame and how many characters a line holds.
QImage DrawAlarmPreview(const std::string& text, const std::string& font, int terminalWidth,
                        FontCache& fonts);

class AlarmPreview : public QLabel {
  Q_OBJECT
 public:
  AlarmPreview(FontCache& fonts, QWidget* parent);
  // `text` and `font` of the alarm (code page 1252).
  void ShowAlarm(const std::string& text, const std::string& font, int terminalWidth);
  void ShowNothing();
  const QImage& Image() const { return image_; }

 private:
  FontCache& fonts_;
  QImage image_;
};

}  // namespace tavo
