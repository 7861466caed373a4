#pragma once
// The toolkit's own texts in the window's language: its file dialog (labels,
// buttons, hints, headings, context menu) and the captions of its standard
// buttons. Installed on the application, it answers the toolkit's requests
// for a translation from the language table; texts it does not know (key
// names, for one) stay as the toolkit has them.

#include <QTranslator>

namespace tavo {

class Translator;

class ToolkitTexts final : public QTranslator {
 public:
  explicit ToolkitTexts(Translator& translator, QObject* parent = nullptr);

  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override;
  bool isEmpty() const override { return false; }

 private:
  Translator& translator_;
};

}  // namespace tavo
