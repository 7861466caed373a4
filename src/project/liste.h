#pragma once
// The record list: every project record and every graphic object is a node
// of a doubly linked list. A list is designated by its first node; the
// previous node owns the next one, so releasing the first node releases the
// whole list.

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tavo {

// Writes one text as one line (CR LF) to the output currently open.
using LineSink = std::function<void(const std::string&)>;

class RunWriter;

// Kind tags of the project records; graphic objects leave the tag at 0.
enum KindTag : std::uint8_t {
  kTagBase = 0,
  kTagTerminal = 1,
  kTagSteuerung = 3,
  kTagFonteintrag = 7,
  kTagVariable = 9,
  kTagVariablesNode = 10,
  kTagAlarme = 11,
  kTagAlarmsNode = 12,
  kTagTaste = 13,
  kTagBild = 15,
  kTagPicturesNode = 16,
  kTagKopf = 17,
  kTagProjekt = 19,
  kTagKatalog = 21,
  kTagTastenfeld = 23,
  kTagText = 24,
  kTagTextliste = 25,
};

class t_liste;
using ListPtr = std::unique_ptr<t_liste>;

class t_liste {
 public:
  explicit t_liste(std::uint8_t kindTag = kTagBase);
  virtual ~t_liste();
  t_liste(const t_liste&) = delete;
  t_liste& operator=(const t_liste&) = delete;

  t_liste* previous() const { return previous_; }
  t_liste* next() const { return next_.get(); }
  std::uint8_t kindTag() const { return kindTag_; }

  std::string name;
  std::uint16_t number = 0;

  // The operation table, in its fixed order.
  virtual void Load(const std::string& path);                  // 0
  virtual void WriteProjectLines(const LineSink& sink) const;  // 1
  virtual void WriteRunLines(RunWriter& out) const;            // 2
  int FreeNumber() const;                                      // 3
  // 4: see SortByNumber() below (it must replace the owner's reference).
  virtual void Done();                                   // 5
  static std::string NextToken(std::string& rest);       // 6
  static long double TextToReal(std::string_view text);  // 7
  static std::string RealToText(long double value);      // 8
  static std::string Unquote(std::string_view field);    // 9
  static std::string Quote(const std::string& text);     // 10
  static std::int32_t TextToInt(std::string_view text);  // 11
  static std::string IntToText(std::int32_t value);      // 12
  // IntToText appended to `text`, for writers that build a line in place.
  static void AppendInt(std::string& text, std::int32_t value);
  // IntToText written at `out`, which has room for kMaxIntText characters;
  // returns the end of what was written.
  static constexpr std::size_t kMaxIntText = 11;
  static char* WriteInt(char* out, std::int32_t value);
  static bool TextToBool(std::string_view text);  // 13
  static std::string BoolToText(bool value);      // 14
  // The same cut as NextToken, without copying: the field and `rest` both
  // view the caller's text, which must outlive them. Inline: readers call
  // it for every field of every line.
  static std::string_view NextToken(std::string_view& rest);

  // Nodes are made and released by the tens of thousands at a time; they
  // come from the node pool.
  static void* operator new(std::size_t size);
  static void operator delete(void* node, std::size_t size) noexcept;

  // Unlinks this node's successor chain and hands it over.
  ListPtr DetachNext();
  // Links `node` directly behind this node; this node must be the last.
  void LinkBehind(ListPtr node);

 private:
  // TextToInt of what is not a short whole number.
  static std::int32_t TextToIntInGeneral(std::string_view text);
  friend ListPtr SortByNumber(ListPtr head);
  std::uint8_t kindTag_;
  t_liste* previous_ = nullptr;
  ListPtr next_;
};

namespace detail {
// The characters NextToken stops at: the separators and the double quote.
inline constexpr auto kFieldStops = [] {
  std::array<bool, 256> stops{};
  stops[static_cast<unsigned char>(';')] = true;
  stops[static_cast<unsigned char>(')')] = true;
  stops[static_cast<unsigned char>('"')] = true;
  return stops;
}();
}  // namespace detail

inline std::string_view t_liste::NextToken(std::string_view& rest) {
  const char* const begin = rest.data();
  const char* const end = begin + rest.size();
  for (const char* p = begin; p != end; ++p) {
    if (!detail::kFieldStops[static_cast<unsigned char>(*p)]) continue;
    if (*p != '"') {
      const std::string_view field(begin, static_cast<std::size_t>(p - begin));
      rest = std::string_view(p + 1, static_cast<std::size_t>(end - p - 1));  // ";" or ")" consumed
      return field;
    }
    // Inside quotes only the next quote counts: names and texts, the
    // longest fields, are passed over by one search. A doubled quote closes
    // and reopens.
    const void* close = std::memchr(p + 1, '"', static_cast<std::size_t>(end - p - 1));
    if (!close) break;
    p = static_cast<const char*>(close);
  }
  const std::string_view field = rest;
  rest.remove_prefix(rest.size());
  return field;
}

inline std::int32_t t_liste::TextToInt(std::string_view text) {
  // Nearly every field is a short whole number as IntToText writes it: an
  // optional "-" and up to nine digits cannot overflow.
  const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
  if (text.size() > first && text.size() - first <= 9) {
    std::int32_t whole = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
      const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
      if (digit > 9) return TextToIntInGeneral(text);
      whole = whole * 10 + static_cast<std::int32_t>(digit);
    }
    return first ? -whole : whole;
  }
  return TextToIntInGeneral(text);
}

// Whether a line starts with a keyword; readers try one keyword after the
// other on every line. With the keyword a literal, the comparison is a few
// instructions instead of a library call.
inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::memcmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// --- list helpers ----------------------------------------------------------

// Appends `node` behind the last node reachable from `anchor`; when `head`
// is empty the node becomes the first node. Returns the appended node, which
// bulk readers pass as the next anchor so that no walk is needed.
t_liste* AppendNode(ListPtr& head, t_liste* anchor, ListPtr node);
inline t_liste* AppendNode(ListPtr& head, ListPtr node) {
  return AppendNode(head, head.get(), std::move(node));
}
// Releases the list from the first node onward, with all each node owns
// (as Done would release it).
void FreeList(ListPtr& head);
int CountNodes(const t_liste* anyNode);
const t_liste* FirstNode(const t_liste* anyNode);
t_liste* FirstNode(t_liste* anyNode);
t_liste* LastNode(t_liste* anyNode);
std::string NameAt(const t_liste* anyNode, int position);
int LongestName(const t_liste* anyNode);
t_liste* FindByNumber(t_liste* anyNode, std::uint16_t number);
const t_liste* FindByNumber(const t_liste* anyNode, std::uint16_t number);
// Reorders by number (stable) by relinking; returns the new first node.
ListPtr SortByNumber(ListPtr head);
// Removes `node` from the list designated by `head` and hands it over unlinked.
ListPtr UnlinkNode(ListPtr& head, t_liste* node);
// Links the single node `node` behind `after`, or at the front when `after`
// is null; `after` must belong to the list designated by `head`. Returns the
// node. Only relinks: it cannot fail.
t_liste* InsertNode(ListPtr& head, t_liste* after, ListPtr node) noexcept;
// Puts the single node `node` in the place of `old` (a node of the list
// designated by `head`) and hands `old` over unlinked.
ListPtr ReplaceNode(ListPtr& head, t_liste* old, ListPtr node) noexcept;
// Position of `node` counted from the first node (0-based); -1 when absent.
int IndexOfNode(const t_liste* head, const t_liste* node);

// Typed walk over a list whose nodes are all of type T.
template <class T, class Fn>
void ForEach(const ListPtr& head, Fn&& fn) {
  for (t_liste* n = head.get(); n; n = n->next()) fn(static_cast<T&>(*n));
}

// --- terminal character set --------------------------------------------------
std::string ToTerminalCharset(const std::string& text);
std::string FromTerminalCharset(const std::string& text);

}  // namespace tavo
