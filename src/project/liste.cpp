#include "project/liste.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "project/nodepool.h"
#include "project/runwriter.h"

namespace tavo {

t_liste::t_liste(std::uint8_t kindTag) : kindTag_(kindTag) {}

void* t_liste::operator new(std::size_t size) {
  return AllocateNode(size);
}

void t_liste::operator delete(void* node, std::size_t size) noexcept {
  FreeNode(node, size);
}

t_liste::~t_liste() {
  // Release the successors one by one: a recursive chain of destructors
  // would overflow the stack on long lists.
  ListPtr rest = std::move(next_);
  while (rest) {
    ListPtr after = std::move(rest->next_);
    // A long list is cold by the time it is released: fetch the next node
    // while this one goes.
    __builtin_prefetch(after.get());
    rest.reset();
    rest = std::move(after);
  }
}

void t_liste::Load(const std::string&) {}

void t_liste::WriteProjectLines(const LineSink& sink) const {
  sink("-ListItem(" + Quote(name) + ")");
}

void t_liste::WriteRunLines(RunWriter& out) const {
  out.Line("-(" + Quote(ToTerminalCharset(name)) + ")");
}

int t_liste::FreeNumber() const {
  const t_liste* first = FirstNode(this);
  std::vector<bool> taken(30001, false);
  for (const t_liste* n = first; n; n = n->next())
    if (n->number <= 30000) taken[n->number] = true;
  for (int i = 0; i <= 30000; ++i)
    if (!taken[i]) return i;
  return -1;
}

void t_liste::Done() {}

std::string t_liste::NextToken(std::string& rest) {
  std::string_view view(rest);
  std::string field(NextToken(view));
  rest.erase(0, rest.size() - view.size());
  return field;
}

namespace {
constexpr long double kPowersOfTen[] = {1e0L, 1e1L, 1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,
                                        1e8L, 1e9L, 1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L};
}  // namespace

long double t_liste::TextToReal(std::string_view text) {
  // Locale-independent: strtold would follow LC_NUMERIC.
  const std::size_t n = text.size();
  {
    // Most reals are as RealToText writes them: a sign, digits, perhaps a
    // point and a few decimals. They are read in one pass, to the value the
    // general reading below gives them (the same whole mantissa divided by
    // the same power of ten).
    std::size_t i = n > 0 && text[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    std::uint64_t whole = 0;
    int digits = 0;
    int decimals = -1;  // none before the point is met
    for (; i < n && digits <= 19; ++i) {
      const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
      if (digit <= 9) {
        whole = whole * 10 + digit;
        ++digits;
        if (decimals >= 0) ++decimals;
      } else if (text[i] == '.' && decimals < 0) {
        decimals = 0;
      } else {
        break;
      }
    }
    if (i == n && digits > 0 && digits <= 19 && decimals < 16) {
      long double value = static_cast<long double>(whole);
      if (decimals > 0) value /= kPowersOfTen[decimals];
      return negative ? -value : value;
    }
  }
  std::size_t i = 0;
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // The first 19 digits are gathered as an integer: the long double sum is
  // exact that far (64-bit significand), so the result is the same, only
  // cheaper; further digits go on in long double, rounding as they always did.
  std::uint64_t leading = 0;
  long double mantissa = 0;
  int digits = 0;
  int exponent = 0;
  auto addDigit = [&](char c) {
    if (digits < 19)
      leading = leading * 10 + static_cast<std::uint64_t>(c - '0');
    else if (digits == 19)
      mantissa = static_cast<long double>(leading) * 10 + (c - '0');
    else
      mantissa = mantissa * 10 + (c - '0');
    ++digits;
  };
  while (i < n && text[i] >= '0' && text[i] <= '9') addDigit(text[i++]);
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
      addDigit(text[i++]);
      --exponent;
    }
  }
  if (digits == 0) return 0;
  if (digits <= 19) mantissa = static_cast<long double>(leading);
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool expNegative = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
    if (j < n && text[j] >= '0' && text[j] <= '9') {
      int e = 0;
      while (j < n && text[j] >= '0' && text[j] <= '9') {
        if (e < 100000) e = e * 10 + (text[j] - '0');
        ++j;
      }
      exponent += expNegative ? -e : e;
      i = j;
    }
  }
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i != n) return 0;  // not a number as a whole
  long double value;
  if (exponent == 0)
    value = mantissa;
  else if (exponent < 0 && exponent > -16)
    value = mantissa / kPowersOfTen[-exponent];
  else if (exponent > 0 && exponent < 16)
    value = mantissa * kPowersOfTen[exponent];
  else
    value = mantissa * std::pow(10.0L, static_cast<long double>(exponent));
  if (!std::isfinite(value)) return 0;
  return negative ? -value : value;
}

std::string t_liste::RealToText(long double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[128];
  const int len = std::snprintf(buffer, sizeof buffer, "%16.8Lf", value);
  std::string_view text = (len > 0 && len < static_cast<int>(sizeof buffer))
                              ? std::string_view(buffer, static_cast<std::size_t>(len))
                              : std::string_view("0");
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  while (!text.empty() && text.back() == '0') text.remove_suffix(1);
  if (!text.empty() && text.back() == '.') text.remove_suffix(1);
  if (text == "-0" || text.empty()) return "0";
  return std::string(text);
}

std::string t_liste::Unquote(std::string_view field) {
  std::string out;
  if (field.size() < 2) return out;
  std::string_view inner = field.substr(1, field.size() - 2);
  out.reserve(inner.size());
  for (;;) {
    const std::size_t quote = inner.find('"');
    out.append(inner.substr(0, quote));
    if (quote == std::string_view::npos) break;
    // A doubled quote stands for one; a lone inner quote is dropped.
    if (quote + 1 < inner.size() && inner[quote + 1] == '"') {
      out += '"';
      inner.remove_prefix(quote + 2);
    } else {
      inner.remove_prefix(quote + 1);
    }
  }
  return out;
}

std::string t_liste::Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::int32_t t_liste::TextToIntInGeneral(std::string_view text) {
  // With blanks, a "+" or more digits a whole number is still read directly:
  // up to 18 digits the real-number path would be exact too, so both agree.
  // Anything else (a point, an exponent, more digits, stray text) takes that
  // path.
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t firstDigit = i;
  std::int64_t whole = 0;
  while (i < n && i - firstDigit < 18 && text[i] >= '0' && text[i] <= '9')
    whole = whole * 10 + (text[i++] - '0');
  std::size_t end = i;
  while (end < n && (text[end] == ' ' || text[end] == '\t')) ++end;
  if (i > firstDigit && end == n) {
    if (negative) whole = -whole;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(whole, INT32_MIN, INT32_MAX));
  }
  long double value = std::nearbyint(TextToReal(text));  // ties to even
  if (value >= 2147483647.0L) return 2147483647;
  if (value <= -2147483648.0L) return -2147483647 - 1;
  return static_cast<std::int32_t>(value);
}

std::string t_liste::IntToText(std::int32_t value) {
  std::string text;
  AppendInt(text, value);
  return text;
}

void t_liste::AppendInt(std::string& text, std::int32_t value) {
  char digits[kMaxIntText];
  text.append(digits, static_cast<std::size_t>(WriteInt(digits, value) - digits));
}

char* t_liste::WriteInt(char* out, std::int32_t value) {
  // Colours, styles and flags are mostly single digits: written per field
  // of every object line, they get the short path.
  if (value >= 0 && value < 10) {
    *out = static_cast<char>('0' + value);
    return out + 1;
  }
  return std::to_chars(out, out + kMaxIntText, value).ptr;
}

bool t_liste::TextToBool(std::string_view text) {
  const std::size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return false;
  const std::size_t e = text.find_last_not_of(' ');
  const std::string_view core = text.substr(b, e - b + 1);
  if (core.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    char c = core[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != "TRUE"[i]) return false;
  }
  return true;
}

std::string t_liste::BoolToText(bool value) {
  return value ? "TRUE" : "FALSE";
}

ListPtr t_liste::DetachNext() {
  if (next_) next_->previous_ = nullptr;
  return std::move(next_);
}

void t_liste::LinkBehind(ListPtr node) {
  if (node) node->previous_ = this;
  next_ = std::move(node);
}

// --- list helpers ------------------------------------------------------------

t_liste* AppendNode(ListPtr& head, t_liste* anchor, ListPtr node) {
  t_liste* raw = node.get();
  if (!head) {
    head = std::move(node);
    return raw;
  }
  t_liste* last = LastNode(anchor ? anchor : head.get());
  last->LinkBehind(std::move(node));
  return raw;
}

void FreeList(ListPtr& head) {
  // Every Done releases only what the node owns, which its destruction
  // releases as well; one walk over a large list instead of two.
  head.reset();
}

const t_liste* FirstNode(const t_liste* n) {
  if (!n) return nullptr;
  while (n->previous()) n = n->previous();
  return n;
}

t_liste* FirstNode(t_liste* n) {
  return const_cast<t_liste*>(FirstNode(static_cast<const t_liste*>(n)));
}

t_liste* LastNode(t_liste* n) {
  if (!n) return nullptr;
  while (n->next()) n = n->next();
  return n;
}

int CountNodes(const t_liste* anyNode) {
  int count = 0;
  for (const t_liste* n = FirstNode(anyNode); n; n = n->next()) ++count;
  return count;
}

std::string NameAt(const t_liste* anyNode, int position) {
  if (position < 1) return {};
  int i = 1;
  for (const t_liste* n = FirstNode(anyNode); n; n = n->next(), ++i)
    if (i == position) return n->name;
  return {};
}

int LongestName(const t_liste* anyNode) {
  std::size_t longest = 0;
  for (const t_liste* n = FirstNode(anyNode); n; n = n->next())
    longest = std::max(longest, n->name.size());
  return static_cast<int>(longest);
}

const t_liste* FindByNumber(const t_liste* anyNode, std::uint16_t number) {
  for (const t_liste* n = FirstNode(anyNode); n; n = n->next())
    if (n->number == number) return n;
  return nullptr;
}

t_liste* FindByNumber(t_liste* anyNode, std::uint16_t number) {
  return const_cast<t_liste*>(FindByNumber(static_cast<const t_liste*>(anyNode), number));
}

ListPtr SortByNumber(ListPtr head) {
  // Detach every node, sort stably by number, relink: no node is copied.
  std::vector<ListPtr> nodes;
  while (head) {
    ListPtr rest = head->DetachNext();
    nodes.push_back(std::move(head));
    head = std::move(rest);
  }
  std::stable_sort(nodes.begin(), nodes.end(),
                   [](const ListPtr& a, const ListPtr& b) { return a->number < b->number; });
  ListPtr result;
  for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
    (*it)->LinkBehind(std::move(result));
    result = std::move(*it);
  }
  return result;
}

ListPtr UnlinkNode(ListPtr& head, t_liste* node) {
  if (!node || !head) return nullptr;
  ListPtr after = node->DetachNext();
  t_liste* before = node->previous();
  ListPtr self;
  if (!before) {
    self = std::move(head);
    head = std::move(after);
  } else {
    self = before->DetachNext();
    before->LinkBehind(std::move(after));
  }
  return self;
}

t_liste* InsertNode(ListPtr& head, t_liste* after, ListPtr node) noexcept {
  t_liste* raw = node.get();
  if (!raw) return nullptr;
  if (!after) {
    raw->LinkBehind(std::move(head));
    head = std::move(node);
  } else {
    raw->LinkBehind(after->DetachNext());
    after->LinkBehind(std::move(node));
  }
  return raw;
}

ListPtr ReplaceNode(ListPtr& head, t_liste* old, ListPtr node) noexcept {
  t_liste* before = old->previous();
  ListPtr self = UnlinkNode(head, old);
  InsertNode(head, before, std::move(node));
  return self;
}

int IndexOfNode(const t_liste* head, const t_liste* node) {
  int index = 0;
  for (const t_liste* n = head; n; n = n->next(), ++index)
    if (n == node) return index;
  return -1;
}

}  // namespace tavo
