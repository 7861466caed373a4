#include "exchange/exchangefile.h"

#include <algorithm>

#include "shell/codepage.h"
#include "shell/language.h"

namespace tavo {

std::string FillIn(std::string text, const std::string& value) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

std::string ExchangeMessageText(const ExchangeMessage& message, Translator& translator) {
  std::string text = FillIn(translator.Tr(message.id), message.detail);
  if (message.line > 0)
    text = FillIn(translator.Tr(txt::kExZeile), std::to_string(message.line)) + text;
  return text;
}

std::string ExchangeMessageLines(const std::vector<ExchangeMessage>& messages,
                                 Translator& translator, std::size_t limit) {
  std::string lines;
  const std::size_t shown = std::min(limit, messages.size());
  for (std::size_t i = 0; i < shown; ++i) {
    if (!lines.empty()) lines += "\r";
    lines += ExchangeMessageText(messages[i], translator);
  }
  if (shown < messages.size()) {
    lines += '\r';
    lines += FillIn(translator.Tr(txt::kWeitereMeldungen), std::to_string(messages.size() - shown));
  }
  return lines;
}

ExchangeText DecodeExchangeBytes(std::string_view bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  ExchangeText result;
  const bool marked = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  if (!marked && !LooksLikeUtf8(bytes)) {
    result.text.assign(bytes);
    return result;
  }
  result.text = Utf8ToCp1252(bytes.substr(marked ? kByteOrderMark.size() : 0), &result.unmapped);
  result.converted = true;
  return result;
}

bool LineCursor::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const std::size_t end = text_.find_first_of("\r\n", pos_);
  const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
  line = text_.substr(pos_, stop - pos_);
  pos_ = stop;
  if (pos_ < text_.size() && text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (pos_ < text_.size()) {
    ++pos_;  // the LF
  }
  ++number_;
  return true;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

bool NextCsvRecord(LineCursor& lines, CsvRecord& record) {
  std::string_view line;
  do {
    if (!lines.Next(line)) return false;
  } while (line.empty());
  record = CsvRecord{};
  record.line = lines.LineNumber();
  std::size_t i = 0;
  for (;;) {
    std::string field;
    if (i < line.size() && line[i] == '"') {
      ++i;
      for (;;) {
        if (i >= line.size()) {
          // The quoted text goes on on the next line.
          std::string_view more;
          if (!lines.Next(more)) break;
          record.lineBreakInText = true;
          field += ' ';
          line = more;
          i = 0;
          continue;
        }
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      // Text between the closing quote and the next "," is kept as it stands.
      const std::size_t comma = std::min(line.find(',', i), line.size());
      field.append(line.substr(i, comma - i));
      i = comma;
    } else {
      const std::size_t comma = std::min(line.find(',', i), line.size());
      field.assign(line.substr(i, comma - i));
      i = comma;
    }
    record.fields.push_back(std::move(field));
    if (i >= line.size()) break;
    ++i;                          // the ","
    if (i >= line.size()) break;  // a trailing "," starts no field
  }
  return true;
}

bool ParseDecimal(std::string_view text, std::int64_t low, std::int64_t high, std::int32_t& value) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return false;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  std::int64_t v = 0;
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    v = v * 10 + (text[i++] - '0');
    digits = true;
    if (v > 9999999999LL) return false;
  }
  if (!digits || text.find_first_not_of(' ', i) != std::string_view::npos) return false;
  if (negative) v = -v;
  if (v < low || v > high) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

}  // namespace tavo
