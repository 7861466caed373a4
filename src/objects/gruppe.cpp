#include "objects/gruppe.h"

#include <algorithm>

#include "objects/objectkinds.h"
#include "objects/rounding.h"

namespace tavo {

namespace {
constexpr std::uint8_t kGroupEnd = 255;
constexpr std::uint8_t kLastBinaryKind = 16;

void AppendJoined(std::string& joined, const std::string& part) {
  if (part.empty()) return;
  if (!joined.empty()) joined += ';';
  joined += part;
}
}  // namespace

t_gruppe::t_gruppe() : t_objekt(kKindGruppe) {}

template <class Fn>
void t_gruppe::EachMember(Fn&& fn) const {
  for (t_liste* n = members_.get(); n; n = n->next()) fn(*static_cast<t_objekt*>(n));
}

void t_gruppe::AppendMember(ObjectPtr member) {
  if (!member) return;
  member->UpdateExtent();
  const TermRect m = member->GetExtent();
  if (!members_) {
    SetExtent(m);
  } else {
    TermRect& e = extent();
    e.left = std::min(e.left, m.left);
    e.top = std::min(e.top, m.top);
    e.right = std::max(e.right, m.right);
    e.bottom = std::max(e.bottom, m.bottom);
  }
  t_objekt* raw = member.get();
  AppendNode(members_, lastMember_, std::move(member));
  lastMember_ = raw;
}

ListPtr t_gruppe::TakeMembers() {
  lastMember_ = nullptr;
  return std::move(members_);
}

// --- written forms ------------------------------------------------------------------

std::string t_gruppe::FormatFields() const {
  const t_schaltung s = GetSwitching();
  return Bracketed(IntToText(s.action) + ";" + IntToText(s.variable) + ";" + RealToText(s.value) +
                   ";" + Quote(name));
}

void t_gruppe::WriteProjectLines(const LineSink& sink) const {
  sink("-Group" + FormatFields());
  EachMember([&](const t_objekt& m) { m.WriteProjectLines(sink); });
  sink("-GroupEnd");
}

void t_gruppe::ParseFields(std::string_view rest) {
  t_schaltung s;
  s.action = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  s.variable = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  s.value = TextToInt(NextToken(rest));
  // The group's own rule only: members keep theirs as read.
  t_objekt::SetSwitching(s);
  name = Unquote(NextToken(rest));
  UpdateExtent();
}

void t_gruppe::WriteRunLines(RunWriter& out) const {
  EachMember([&](const t_objekt& m) { m.WriteRunLines(out); });
}

void t_gruppe::WriteBinary(ByteSink& out) const {
  PutU8(out, kKindGruppe);
  EachMember([&](const t_objekt& m) { m.WriteBinary(out); });
  PutU8(out, kGroupEnd);
}

bool t_gruppe::ReadBinary(const ByteReader& read) {
  bool aborted = false;
  return ReadMembers(read, 1, aborted);
}

bool t_gruppe::ReadMembers(const ByteReader& read, int depth, bool& aborted) {
  for (;;) {
    BinaryIn in(read);
    std::uint8_t kind = 0;
    if (!in.U8(kind)) return false;
    if (kind == kGroupEnd) return true;
    // Bitmaps and unknown kinds have no record body; the byte is skipped.
    if (kind > kLastBinaryKind) continue;
    if (kind == kKindGruppe) {
      if (depth >= kMaxGroupDepth) {
        aborted = true;
        return false;
      }
      auto group = std::make_unique<t_gruppe>();
      const bool complete = group->ReadMembers(read, depth + 1, aborted);
      AppendMember(std::move(group));
      if (!complete) return false;
      continue;
    }
    ObjectPtr member = CreateObjectOfKind(kind);
    if (!member) continue;  // a kind whose type is not built in
    const bool complete = member->ReadBinary(read);
    AppendMember(std::move(member));
    if (!complete) return false;
  }
}

void t_gruppe::Done() {
  lastMember_ = nullptr;
  FreeList(members_);
}

// --- drawing and geometry ------------------------------------------------------

void t_gruppe::Draw(tview& view, int mode) const {
  EachMember([&](const t_objekt& m) { m.Draw(view, mode); });
}

bool t_gruppe::HitTest(std::int16_t x, std::int16_t y) const {
  // Later members lie on top: ask the last first.
  for (t_liste* n = LastNode(members_.get()); n; n = n->previous())
    if (static_cast<t_objekt*>(n)->HitTest(x, y)) return true;
  return false;
}

void t_gruppe::UpdateExtent() {
  if (!members_) return;
  bool first = true;
  TermRect e;
  EachMember([&](t_objekt& m) {
    m.UpdateExtent();
    const TermRect r = m.GetExtent();
    if (first) {
      e = r;
      first = false;
      return;
    }
    e.left = std::min(e.left, r.left);
    e.top = std::min(e.top, r.top);
    e.right = std::max(e.right, r.right);
    e.bottom = std::max(e.bottom, r.bottom);
  });
  SetExtent(e);
}

void t_gruppe::MoveBy(std::int16_t dx, std::int16_t dy) {
  EachMember([&](t_objekt& m) { m.MoveBy(dx, dy); });
}

void t_gruppe::Rotate(double centreX, double centreY, int degrees) {
  EachMember([&](t_objekt& m) { m.Rotate(centreX, centreY, degrees); });
  UpdateExtent();
}

void t_gruppe::FitToFrame() {
  UpdateExtent();
  const FrameMapping g = ExtentToFrame();
  // Members are placed by their own frames, rounded to whole pixels.
  auto x = [&](double v) { return SaturateToI16(RoundEven(g.sx * (v - g.left)) + g.x0); };
  auto y = [&](double v) { return SaturateToI16(RoundEven(g.sy * (v - g.top)) + g.y0); };
  EachMember([&](t_objekt& m) {
    m.UpdateExtent();
    m.SetHandle(kSlotTopLeft, {x(m.ExtentLeft()), y(m.ExtentTop())});
    m.SetHandle(kSlotBottomRight, {x(m.ExtentRight()), y(m.ExtentBottom())});
    m.FitToFrame();
  });
  UpdateExtent();
}

// --- identity and attributes ----------------------------------------------------

bool t_gruppe::IsGroup() const {
  return true;
}

int t_gruppe::TerminalSize() const {
  int sum = 0;
  EachMember([&](const t_objekt& m) { sum += m.TerminalSize(); });
  return sum;
}

std::int16_t t_gruppe::ObjectCount() const {
  int count = 1;
  EachMember([&](const t_objekt& m) { count += m.ObjectCount(); });
  return static_cast<std::int16_t>(std::min(count, 32767));
}

void t_gruppe::SetSwitching(const t_schaltung& rule) {
  t_objekt::SetSwitching(rule);
  EachMember([&](t_objekt& m) { m.SetSwitching(rule); });
}

void t_gruppe::SetPenColour(std::uint8_t value) {
  t_objekt::SetPenColour(value);
  EachMember([&](t_objekt& m) { m.SetPenColour(value); });
}

void t_gruppe::SetPenStyle(std::uint8_t value) {
  t_objekt::SetPenStyle(value);
  EachMember([&](t_objekt& m) { m.SetPenStyle(value); });
}

void t_gruppe::SetPenWidth(std::uint8_t value) {
  t_objekt::SetPenWidth(value);
  EachMember([&](t_objekt& m) { m.SetPenWidth(value); });
}

void t_gruppe::SetFillColour(std::uint8_t value) {
  t_objekt::SetFillColour(value);
  EachMember([&](t_objekt& m) { m.SetFillColour(value); });
}

void t_gruppe::SetFillPattern(std::uint8_t value) {
  t_objekt::SetFillPattern(value);
  EachMember([&](t_objekt& m) { m.SetFillPattern(value); });
}

bool t_gruppe::HasSwitching() const {
  bool any = t_objekt::HasSwitching();
  EachMember([&](const t_objekt& m) { any = any || m.HasSwitching(); });
  return any;
}

bool t_gruppe::UsesVariable(std::int16_t variable) const {
  bool any = t_objekt::UsesVariable(variable);
  EachMember([&](const t_objekt& m) { any = any || m.UsesVariable(variable); });
  return any;
}

bool t_gruppe::UsesTextList(std::int16_t list) const {
  bool any = false;
  EachMember([&](const t_objekt& m) { any = any || m.UsesTextList(list); });
  return any;
}

void t_gruppe::CollectReferences(std::vector<std::int16_t>& variables,
                                 std::vector<std::int16_t>& textLists) const {
  t_objekt::CollectReferences(variables, textLists);
  EachMember([&](const t_objekt& m) { m.CollectReferences(variables, textLists); });
}

std::string t_gruppe::CollectFonts() const {
  std::string joined;
  EachMember([&](const t_objekt& m) { AppendJoined(joined, m.CollectFonts()); });
  return joined;
}

std::string t_gruppe::BitmapFile() const {
  std::string joined;
  EachMember([&](const t_objekt& m) { AppendJoined(joined, m.BitmapFile()); });
  return joined;
}

void t_gruppe::RenumberVariable(std::int16_t from, std::int16_t to) {
  t_objekt::RenumberVariable(from, to);
  EachMember([&](t_objekt& m) { m.RenumberVariable(from, to); });
}

void t_gruppe::RenumberTextList(std::int16_t from, std::int16_t to) {
  EachMember([&](t_objekt& m) { m.RenumberTextList(from, to); });
}

std::unique_ptr<t_objekt> t_gruppe::Clone() const {
  auto copy = std::make_unique<t_gruppe>();
  CopyCommonTo(*copy);
  EachMember([&](const t_objekt& m) { copy->AppendMember(m.Clone()); });
  return copy;
}

}  // namespace tavo
