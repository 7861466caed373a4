#include "simulator/simulator.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <deque>
#include <map>
#include <set>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/objectkinds.h"
#include "objects/picturedraw.h"
#include "project/katalog.h"
#include "resources/fonts.h"
#include "simulator/imagereader.h"

namespace tavo {
namespace {

constexpr int kAlarmWords = 15;
constexpr int kTypeAscii = 6;
constexpr int kTypeHex = 5;

struct Range {
  std::int64_t low;
  std::int64_t high;
};

// The values a variable of each type can hold on the PLC.
Range RangeOf(int type) {
  switch (type) {
    case 1:  // bit field
    case 3:  // word
    case 5:  // hex
      return {0, 65535};
    case 2:  // integer
      return {-32768, 32767};
    case 7:  // BCD: four decimal digits in a word
      return {0, 9999};
    case 8:  // timer value and counter: three decimal digits
    case 9:
      return {0, 999};
    default:  // long integer, no type
      return {INT32_MIN, INT32_MAX};
  }
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool ParseWhole(const std::string& text, int base, std::int64_t& value) {
  if (text.empty() || text.size() > 20) return false;
  std::size_t i = 0;
  bool negative = false;
  if (text[0] == '-' || text[0] == '+') negative = text[i++] == '-';
  if (i == text.size()) return false;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return false;
    v = v * base + digit;
    if (v > (std::int64_t(1) << 40)) return false;
  }
  value = negative ? -v : v;
  return true;
}

// A typed number as the terminal's keypad gives it: sign, digits, one
// decimal point ("." or ","). Counts the digits before and after the point.
bool ParseTypedNumber(const std::string& typed, double& value, int& before, int& after) {
  const std::string text = Trim(typed);
  std::size_t i = 0;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  before = after = 0;
  bool point = false;
  std::string normal = text.substr(0, i);
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      (point ? after : before)++;
      normal += c;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
      normal += '.';
    } else {
      return false;
    }
  }
  if (before + after == 0 || before + after > 18) return false;
  value = static_cast<double>(t_liste::TextToReal(normal));
  // Leading zeros take no place in the field.
  const std::size_t firstDigit = normal.find_first_of("123456789");
  const std::size_t dot = normal.find('.');
  before = firstDigit == std::string::npos || (dot != std::string::npos && firstDigit > dot)
               ? 0
               : static_cast<int>((dot == std::string::npos ? normal.size() : dot) - firstDigit);
  return true;
}

std::string TypeName(int type) {
  if (type < 0 || type >= kVarTypeCount) return "?";
  return Trim(VarTypeTable[type].intelName);
}

std::int64_t DaysFromCivil(int y, int m, int d) {
  using namespace std::chrono;
  return sys_days(year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)})
      .time_since_epoch()
      .count();
}

}  // namespace

// --- state ---------------------------------------------------------------------------------

class SimulatorState : public FieldValues {
 public:
  DriveImage image;
  std::unique_ptr<FontCache> fonts;
  std::vector<const t_bild*> pictures;
  int current = 1;
  std::vector<SimVariable> variables;
  std::map<std::uint16_t, std::size_t> byNumber;
  std::int64_t clock = 0;  // seconds since 1970-01-01 00:00, local time
  std::array<std::uint16_t, kAlarmWords> alarmWords{};
  std::map<std::uint16_t, std::pair<std::uint64_t, LocalTime>> came;  // sequence, time
  std::uint64_t sequence = 0;
  std::map<const t_plotgraf*, std::deque<double>> samples;
  std::map<int, Simulator::Listener> listeners;
  int nextListener = 1;

  void Notify(SimChange change) const {
    // A copy: a listener may remove itself.
    const auto copy = listeners;
    for (const auto& [id, listener] : copy) listener(change);
  }

  SimVariable* Find(std::uint16_t number) {
    const auto it = byNumber.find(number);
    return it == byNumber.end() ? nullptr : &variables[it->second];
  }
  const SimVariable* Find(std::uint16_t number) const {
    const auto it = byNumber.find(number);
    return it == byNumber.end() ? nullptr : &variables[it->second];
  }

  LocalTime Clock() const {
    using namespace std::chrono;
    const std::int64_t days = clock >= 0 ? clock / 86400 : (clock - 86399) / 86400;
    const std::int64_t rest = clock - days * 86400;
    const year_month_day ymd{sys_days{std::chrono::days{days}}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(rest / 3600),
            static_cast<int>(rest % 3600 / 60)};
  }

  // --- FieldValues --------------------------------------------------------------------
  std::int64_t Value(std::uint16_t variable) const override {
    const SimVariable* v = Find(variable);
    return v ? v->value : 0;
  }
  std::string Text(std::uint16_t variable) const override {
    const SimVariable* v = Find(variable);
    if (!v) return {};
    return v->type == kTypeAscii ? v->text : std::to_string(v->value);
  }
  std::vector<double> Samples(const t_plotgraf& graph) const override {
    const auto it = samples.find(&graph);
    if (it == samples.end()) return {};
    return {it->second.begin(), it->second.end()};
  }
  const Image16* PlacedImage(std::int32_t identifier) const override {
    const auto it = image.pixels.find(identifier);
    return it == image.pixels.end() ? nullptr : &it->second;
  }

  // Every plot graph of every picture records, whether shown or not, so a
  // picture called up later shows its history.
  void Sample(std::int64_t from, std::int64_t to) {
    for (const t_bild* b : pictures) EachPlot(b->objects.get(), from, to);
  }

 private:
  void EachPlot(const t_liste* objects, std::int64_t from, std::int64_t to) {
    for (const t_liste* o = objects; o; o = o->next()) {
      const auto* plot = dynamic_cast<const t_plotgraf*>(o);
      if (!plot) continue;
      const std::int64_t step = std::max<int>(1, plot->timePerPixel());
      const std::int64_t floorTo = to >= 0 ? to / step : (to - step + 1) / step;
      const std::int64_t floorFrom = from >= 0 ? from / step : (from - step + 1) / step;
      const auto capacity = static_cast<std::size_t>(plot->SampleCapacity());
      const auto count = static_cast<std::size_t>(
          std::min<std::int64_t>(floorTo - floorFrom, static_cast<std::int64_t>(capacity)));
      std::deque<double>& list = samples[plot];
      const double value = static_cast<double>(Value(plot->valueVariable()));
      for (std::size_t i = 0; i < count; ++i) list.push_back(value);
      while (list.size() > capacity) list.pop_front();
    }
  }
};

// --- loading -------------------------------------------------------------------------------

Simulator::Simulator() : state_(std::make_unique<SimulatorState>()) {}
Simulator::~Simulator() = default;

std::unique_ptr<Simulator> Simulator::Load(const std::filesystem::path& driveD,
                                           const t_katalog* catalogue,
                                           std::vector<std::string>& messages) {
  DriveImage image = ReadDriveImage(driveD, catalogue, messages);
  if (!image.project) return nullptr;
  std::unique_ptr<Simulator> sim(new Simulator());
  SimulatorState& s = *sim->state_;
  s.image = std::move(image);
  s.fonts = std::make_unique<FontCache>(driveD);
  const t_projekt& p = *s.image.project;
  for (const t_liste* b = p.pictures.get(); b; b = b->next())
    s.pictures.push_back(static_cast<const t_bild*>(b));

  std::set<std::uint16_t> entered;
  const std::function<void(const t_liste*)> collect = [&](const t_liste* objects) {
    for (const t_liste* o = objects; o; o = o->next()) {
      const auto& object = static_cast<const t_objekt&>(*o);
      switch (object.Kind()) {
        case kKindEingabe:
        case kKindBarcode:
          entered.insert(
              static_cast<std::uint16_t>(static_cast<const tausobj&>(object).variable()));
          break;
        case kKindSkalEingabe:
          entered.insert(static_cast<const tSkalAus&>(object).variable());
          break;
        case kKindEditListe:
          entered.insert(
              static_cast<std::uint16_t>(static_cast<const tTeLiObj&>(object).variable()));
          break;
        default:
          break;
      }
    }
  };
  for (const t_bild* b : s.pictures) collect(b->objects.get());
  for (const t_liste* n = p.variables.get(); n; n = n->next()) {
    const auto& v = static_cast<const t_variable&>(*n);
    SimVariable row;
    row.number = v.number;
    row.address = v.address;
    row.addressText = AddressText(v.address, p.coupling.get());
    row.type = v.type;
    row.length = v.length;
    row.editable = entered.count(v.number) > 0;
    // A value of the type's range: 0 where the range holds it.
    row.value = std::clamp<std::int64_t>(0, RangeOf(v.type).low, RangeOf(v.type).high);
    s.byNumber.emplace(v.number, s.variables.size());
    s.variables.push_back(std::move(row));
  }
  int seconds = 0;
  const LocalTime now = CurrentLocalTime(&seconds);
  sim->SetClock(now, seconds);
  if (p.head) {
    for (std::size_t i = 0; i < s.pictures.size(); ++i)
      if (s.pictures[i]->pictureNumber == static_cast<std::uint16_t>(p.head->startPicture))
        s.current = static_cast<int>(i) + 1;
  }
  return sim;
}

const t_projekt& Simulator::Project() const {
  return *state_->image.project;
}

int Simulator::Width() const {
  return Project().terminal->width;
}

int Simulator::Height() const {
  return Project().terminal->height;
}

bool Simulator::Grey() const {
  return Project().terminal->greyScale;
}

// --- pictures and keys ---------------------------------------------------------------------

int Simulator::PictureCount() const {
  return static_cast<int>(state_->pictures.size());
}

const t_bild* Simulator::PictureAt(int position) const {
  if (position < 1 || position > PictureCount()) return nullptr;
  return state_->pictures[static_cast<std::size_t>(position - 1)];
}

int Simulator::CurrentPicture() const {
  return state_->current;
}

bool Simulator::ShowPicture(int position) {
  if (!PictureAt(position)) return false;
  state_->current = position;
  state_->Notify(SimChange::Picture);
  return true;
}

bool Simulator::ShowPictureNumber(std::uint16_t pictureNumber) {
  for (int i = 1; i <= PictureCount(); ++i)
    if (PictureAt(i)->pictureNumber == pictureNumber) return ShowPicture(i);
  return false;
}

bool Simulator::PressKey(int keyNumber) {
  if (keyNumber < 1 || keyNumber > kKeyCount) return false;
  const t_taste* key = PictureAt(CurrentPicture())->Key(keyNumber);
  return key && key->value != 0 && ShowPicture(key->value);
}

// --- variables -----------------------------------------------------------------------------

const std::vector<SimVariable>& Simulator::Variables() const {
  return state_->variables;
}

const SimVariable* Simulator::FindVariable(const std::string& numberOrName) const {
  std::int64_t number = 0;
  if (ParseWhole(numberOrName, 10, number) && numberOrName[0] != '-' && numberOrName[0] != '+')
    return number <= 65535 ? state_->Find(static_cast<std::uint16_t>(number)) : nullptr;
  for (const SimVariable& v : state_->variables)
    if (!v.name.empty() && v.name == numberOrName) return &v;
  return nullptr;
}

void Simulator::SetVariableNames(const t_liste* variables) {
  for (SimVariable& v : state_->variables)
    if (const t_liste* n = FindByNumber(variables, v.number)) v.name = n->name;
  state_->Notify(SimChange::Values);
}

bool Simulator::SetValue(std::uint16_t number, std::int64_t value, std::string* message) {
  SimVariable* v = state_->Find(number);
  if (!v) {
    if (message) *message = "there is no variable " + std::to_string(number);
    return false;
  }
  if (v->type == kTypeAscii) {
    if (message) *message = "variable " + std::to_string(number) + " holds text, not a number";
    return false;
  }
  const Range r = RangeOf(v->type);
  if (value < r.low || value > r.high) {
    if (message)
      *message = std::to_string(value) + " is outside " + std::to_string(r.low) + " .. " +
                 std::to_string(r.high) + " (" + TypeName(v->type) + ")";
    return false;
  }
  if (v->value != value) {
    v->value = value;
    state_->Notify(SimChange::Values);
  }
  return true;
}

bool Simulator::SetValueText(const std::string& numberOrName, const std::string& typed,
                             std::string* message) {
  const SimVariable* found = FindVariable(numberOrName);
  if (!found) {
    if (message) *message = "there is no variable '" + numberOrName + "'";
    return false;
  }
  SimVariable& v = *state_->Find(found->number);
  if (v.type == kTypeAscii) {
    std::string text = typed.substr(0, v.length);
    if (v.text != text) {
      v.text = std::move(text);
      state_->Notify(SimChange::Values);
    }
    return true;
  }
  std::string text = Trim(typed);
  std::int64_t value = 0;
  bool ok = false;
  if (v.type == kTypeHex) {
    std::string digits = text;
    if (digits.size() > 2 && (digits.substr(0, 2) == "0x" || digits.substr(0, 2) == "0X"))
      digits = digits.substr(2);
    else if (!digits.empty() && (digits.back() == 'h' || digits.back() == 'H'))
      digits.pop_back();
    ok = ParseWhole(digits, 16, value);
  } else {
    ok = ParseWhole(text, 10, value);
  }
  if (!ok) {
    if (message)
      *message =
          "'" + typed + "' is no " + (v.type == kTypeHex ? "hexadecimal " : "") + "whole number";
    return false;
  }
  return SetValue(v.number, value, message);
}

// --- operator input ------------------------------------------------------------------------

namespace {

// The input fields of a picture in drawing order.
std::vector<const t_feldobjekt*> InputObjects(const t_bild& picture) {
  std::vector<const t_feldobjekt*> out;
  for (const t_liste* o = picture.objects.get(); o; o = o->next()) {
    const auto& object = static_cast<const t_objekt&>(*o);
    const std::uint8_t k = object.Kind();
    if (k == kKindEingabe || k == kKindBarcode || k == kKindSkalEingabe || k == kKindEditListe)
      out.push_back(static_cast<const t_feldobjekt*>(&object));
  }
  return out;
}

std::string NumberLimit(int digits, int decimals) {
  std::string most = digits > 0 ? std::string(static_cast<std::size_t>(digits), '9') : "0";
  if (decimals > 0) {
    most += '.';
    most.append(static_cast<std::size_t>(decimals), '9');
  }
  // Appended, not prefixed to temporaries: the optimiser misreads those.
  std::string limit = "-";
  limit += most;
  limit += " .. ";
  limit += most;
  return limit;
}

const t_textliste* ListOf(const t_projekt& p, std::uint16_t number) {
  return dynamic_cast<const t_textliste*>(FindByNumber(p.textLists.get(), number));
}

}  // namespace

std::vector<SimInputField> Simulator::InputFields() const {
  std::vector<SimInputField> out;
  const std::vector<const t_feldobjekt*> fields = InputObjects(*PictureAt(CurrentPicture()));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const t_feldobjekt& f = *fields[i];
    SimInputField row;
    row.index = static_cast<int>(i);
    row.kind = f.Kind();
    row.area = f.GetExtent();
    if (const auto* field = dynamic_cast<const tausobj*>(&f)) {
      row.variable = static_cast<std::uint16_t>(field->variable());
      row.limits = field->textDisplay() ? std::to_string(field->digits()) + " characters"
                                        : NumberLimit(field->digits(), field->decimals());
    } else if (const auto* scaled = dynamic_cast<const tSkalAus*>(&f)) {
      row.variable = scaled->variable();
      row.limits = NumberLimit(scaled->digits(), scaled->decimals());
    } else if (const auto* list = dynamic_cast<const tTeLiObj*>(&f)) {
      row.variable = static_cast<std::uint16_t>(list->variable());
      if (const t_textliste* texts = ListOf(Project(), list->textList()))
        for (const t_liste* t = texts->texts.get(); t; t = t->next())
          row.limits += (row.limits.empty() ? "" : " | ") + t->name;
    }
    out.push_back(std::move(row));
  }
  return out;
}

bool Simulator::EnterInput(int index, const std::string& typed, std::string* message) {
  const std::vector<const t_feldobjekt*> fields = InputObjects(*PictureAt(CurrentPicture()));
  const auto refuse = [&](const std::string& why) {
    if (message) *message = why;
    return false;
  };
  if (index < 0 || static_cast<std::size_t>(index) >= fields.size())
    return refuse("the picture has no input field " + std::to_string(index));
  const t_feldobjekt& f = *fields[static_cast<std::size_t>(index)];

  if (const auto* list = dynamic_cast<const tTeLiObj*>(&f)) {
    const t_textliste* texts = ListOf(Project(), list->textList());
    if (!texts)
      return refuse("the field's text list " + std::to_string(list->textList()) +
                    " is not in the image");
    const std::string wanted = Trim(typed);
    std::int64_t number = -1;
    ParseWhole(wanted, 10, number);
    for (const t_liste* t = texts->texts.get(); t; t = t->next()) {
      const auto& text = static_cast<const t_text&>(*t);
      if (Trim(text.name) == wanted || text.value == number)
        return SetValue(static_cast<std::uint16_t>(list->variable()), text.value, message);
    }
    return refuse("'" + typed + "' is none of the list's texts");
  }

  int digits = 0, decimals = 0;
  std::uint16_t variable = 0;
  const auto* field = dynamic_cast<const tausobj*>(&f);
  const auto* scaled = dynamic_cast<const tSkalAus*>(&f);
  if (field) {
    digits = field->digits(), decimals = field->decimals();
    variable = static_cast<std::uint16_t>(field->variable());
    if (field->textDisplay()) {
      const SimVariable* v = state_->Find(variable);
      if (!v || v->type != kTypeAscii)
        return refuse("variable " + std::to_string(variable) + " holds no text");
      if (typed.size() > static_cast<std::size_t>(digits))
        return refuse("'" + typed + "' is longer than the field's " + std::to_string(digits) +
                      " characters");
      return SetValueText(std::to_string(variable), typed, message);
    }
  } else if (scaled) {
    digits = scaled->digits(), decimals = scaled->decimals();
    variable = scaled->variable();
  } else {
    return refuse("no input field");
  }
  double value = 0;
  int before = 0, after = 0;
  if (!ParseTypedNumber(typed, value, before, after)) return refuse("'" + typed + "' is no number");
  if (before > digits || after > decimals)
    return refuse("'" + typed + "' does not fit the field (" + NumberLimit(digits, decimals) + ")");
  double raw = 0;
  if (field) {
    raw = value / field->Factor();
  } else {
    if (scaled->m() == 0) return refuse("the field's factor is 0: no value gives what was typed");
    raw = (value - scaled->b()) / scaled->m();
  }
  if (!std::isfinite(raw) || std::fabs(raw) > 1e15)
    return refuse("'" + typed + "' is out of range");
  return SetValue(variable, std::llround(raw), message);
}

// --- clock ---------------------------------------------------------------------------------

LocalTime Simulator::Clock() const {
  return state_->Clock();
}

int Simulator::ClockSeconds() const {
  const std::int64_t c = state_->clock;
  return static_cast<int>(((c % 60) + 60) % 60);
}

void Simulator::SetClock(const LocalTime& time, int seconds) {
  const int month = std::clamp(time.month, 1, 12);
  const int day = std::clamp(time.day, 1, 31);
  state_->clock = DaysFromCivil(std::clamp(time.year, 1, 9999), month, day) * 86400 +
                  std::clamp(time.hour, 0, 23) * 3600 + std::clamp(time.minute, 0, 59) * 60 +
                  std::clamp(seconds, 0, 59);
  state_->Notify(SimChange::Clock);
}

void Simulator::Advance(int seconds) {
  if (seconds <= 0) return;
  const std::int64_t from = state_->clock;
  state_->clock += seconds;
  state_->Sample(from, state_->clock);
  state_->Notify(SimChange::Clock);
}

// --- alarms --------------------------------------------------------------------------------

bool Simulator::SetAlarm(std::uint16_t number, bool on) {
  if (number >= kAlarmWords * 16) return false;
  std::uint16_t word = state_->alarmWords[number / 16];
  const auto bit = static_cast<std::uint16_t>(1u << (number % 16));
  SetAlarmWord(number / 16, static_cast<std::uint16_t>(on ? word | bit : word & ~bit));
  return true;
}

void Simulator::SetAlarmWord(int word, std::uint16_t bits) {
  if (word < 0 || word >= kAlarmWords) return;
  SimulatorState& s = *state_;
  const std::uint16_t old = s.alarmWords[static_cast<std::size_t>(word)];
  if (old == bits) return;
  for (int b = 0; b < 16; ++b) {
    const auto number = static_cast<std::uint16_t>(word * 16 + b);
    const bool was = old & (1u << b), is = bits & (1u << b);
    if (is && !was) s.came[number] = {++s.sequence, s.Clock()};
    if (!is && was) s.came.erase(number);
  }
  s.alarmWords[static_cast<std::size_t>(word)] = bits;
  s.Notify(SimChange::Alarms);
}

std::uint16_t Simulator::AlarmWord(int word) const {
  return word >= 0 && word < kAlarmWords ? state_->alarmWords[static_cast<std::size_t>(word)] : 0;
}

std::vector<SimAlarm> Simulator::ActiveAlarms() const {
  std::vector<std::pair<std::uint64_t, SimAlarm>> active;
  for (const t_liste* n = Project().alarms.get(); n; n = n->next()) {
    const auto& a = static_cast<const t_alarme&>(*n);
    const auto it = state_->came.find(a.number);
    if (it == state_->came.end()) continue;
    active.push_back({it->second.first, {a.number, a.name, a.font, a.flags, it->second.second}});
  }
  const int sort = Project().coupling ? Project().coupling->alarmSort : 0;
  std::stable_sort(active.begin(), active.end(), [sort](const auto& x, const auto& y) {
    if (sort == 1) return x.first > y.first;
    if (sort == 2) return x.second.number < y.second.number;
    return x.first < y.first;
  });
  std::vector<SimAlarm> out;
  for (auto& [seq, alarm] : active) out.push_back(std::move(alarm));
  return out;
}

// --- drawing and listeners -----------------------------------------------------------------

void Simulator::Draw(tview& view) const {
  const t_bild& picture = *PictureAt(CurrentPicture());
  view.SetGrayscale(Grey());
  view.UseFontCache(*state_->fonts);
  if (Canvas* canvas = view.canvas())
    canvas->FillRectColour(view.TermToWinX(0), view.TermToWinY(0), view.TermToWinX(Width()),
                           view.TermToWinY(Height()), PictureBackground(picture, view, false));
  FieldContext context;
  context.textLists = Project().textLists.get();
  context.now = Clock();
  context.values = state_.get();
  DrawPictureObjects(picture, view, kDrawNormal, context);
}

int Simulator::AddListener(Listener listener) {
  const int id = state_->nextListener++;
  state_->listeners.emplace(id, std::move(listener));
  return id;
}

void Simulator::RemoveListener(int id) {
  state_->listeners.erase(id);
}

}  // namespace tavo
