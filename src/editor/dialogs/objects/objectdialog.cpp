#include "editor/dialogs/objects/objectdialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/workspace.h"
#include "objects/fields/fields.h"
#include "objects/picturedraw.h"
#include "project/projekt.h"
#include "project/records.h"
#include "qt/qimagecanvas.h"
#include "resources/fontcatalog.h"
#include "resources/fonts.h"
#include "shell/messagebox.h"

namespace tavo {

namespace {

constexpr int kPreviewWidth = 316;
constexpr int kPreviewHeight = 96;
constexpr int kPreviewMargin = 6;
constexpr double kPreviewMaxZoom = 2.0;
// A graph not spanned yet (the box of a new one) is shown at this size.
constexpr double kNominalGraphWidth = 80;
constexpr double kNominalGraphHeight = 50;
// Room for the plot graph's time axis and its labels outside its box.
constexpr double kAxisRoomBelow = 20;
constexpr double kAxisRoomLeft = 40;

constexpr int kSampleWidth = 316;
constexpr int kSampleHeight = 40;
// Code page 1252.
constexpr const char* kSampleText = "AaBbYy 0123 \xC4\xD6\xDC\xE4\xF6\xFC\xDF";

std::uint8_t CellByte(std::int16_t value) {
  return static_cast<std::uint8_t>(std::clamp<int>(value, 0, 255));
}

QString NumberedName(int number, const std::string& name) {
  return QString::number(number) + "  " + Q(name);
}

}  // namespace

// --- numbers -----------------------------------------------------------------------------

std::optional<double> ParseDecimal(std::string_view text, int maxDecimals) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  auto digitsOnly = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (!digitsOnly(whole) || !digitsOnly(fraction)) return std::nullopt;
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  if (static_cast<int>(fraction.size()) > maxDecimals) return std::nullopt;
  // Fifteen significant digits are what a double keeps exactly; more are
  // no number the files could give back.
  std::string_view significant = whole;
  while (!significant.empty() && significant.front() == '0') significant.remove_prefix(1);
  if (significant.size() + fraction.size() > 15) return std::nullopt;
  // The digits as typed, read without regard to the locale.
  const std::string digits =
      (whole.empty() ? std::string("0") : std::string(whole)) + "." + std::string(fraction);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return negative ? -value : value;
}

std::string LineText(const QString& text) {
  std::string line = S(text);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return line;
}

QString DecimalText(double value) {
  return QString::number(value, 'f', 8);
}

// --- preview -------------------------------------------------------------------------

ObjectPreview::ObjectPreview(const ObjectDialogContext& context, QWidget* parent)
    : QLabel(parent), context_(context) {
  setObjectName("ObjektVorschau");
  setFixedSize(kPreviewWidth, kPreviewHeight);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ObjectPreview::ShowObject(const t_objekt& object) {
  ObjectPtr copy = object.Clone();
  if (!copy) return;
  FieldContext fields;
  fields.textLists = context_.project.textLists.get();
  // A graph's box is spanned on the sheet; before that it is shown at a
  // size of its own.
  if (auto* graph = dynamic_cast<t_graf*>(copy.get())) {
    graph->UpdateExtent();
    const TermRect e = graph->GetExtent();
    if (e.right - e.left < 4 || e.bottom - e.top < 4)
      graph->SetCorners(e.left, e.top, e.left + kNominalGraphWidth, e.top + kNominalGraphHeight);
  }
  UpdateTextListExtents(*copy, fields.textLists);
  copy->UpdateExtent();
  TermRect e = copy->GetExtent();
  if (const auto* plot = dynamic_cast<const t_plotgraf*>(copy.get());
      plot && plot->timeAxis() != 1) {
    if (plot->orientation() == 1)
      e.left -= kAxisRoomLeft;
    else
      e.bottom += kAxisRoomBelow;
  }
  const double width = std::max(1.0, e.right - e.left + 1);
  const double height = std::max(1.0, e.bottom - e.top + 1);
  zoom_ = std::min({kPreviewMaxZoom, (kPreviewWidth - 2 * kPreviewMargin) / width,
                    (kPreviewHeight - 2 * kPreviewMargin) / height});
  if (!(zoom_ > 0)) zoom_ = 1;

  QImageCanvas canvas(kPreviewWidth, kPreviewHeight, 0x606060);
  tview view(&canvas);
  view.UseFontCache(context_.fonts);
  view.SetZoom(zoom_);
  view.SetGrayscale(context_.workspace.settings().picture.grayscale);
  const auto offsetX = static_cast<std::int16_t>(std::lround(kPreviewMargin - e.left * zoom_));
  const auto offsetY = static_cast<std::int16_t>(std::lround(kPreviewMargin - e.top * zoom_));
  view.SetOffsetX(offsetX);
  view.SetOffsetY(offsetY);
  origin_ = QPoint(view.TermToWinX(e.left), view.TermToWinY(e.top));
  const Rgb background =
      context_.picture ? PictureBackground(*context_.picture, view, false) : view.PaletteColour(15);
  canvas.FillRectColour(0, 0, kPreviewWidth, kPreviewHeight, background);
  DrawObject(*copy, view, kDrawNormal, fields);
  image_ = canvas.Image().copy();
  setPixmap(QPixmap::fromImage(image_));
}

FontSample::FontSample(FontCache& fonts, QWidget* parent) : QLabel(parent), fonts_(fonts) {
  setObjectName("Zeichensatzmuster");
  setFixedSize(kSampleWidth, kSampleHeight);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FontSample::ShowFont(const std::string& fontFile) {
  QImageCanvas canvas(kSampleWidth, kSampleHeight, 0);
  canvas.FillRectColour(0, 0, kSampleWidth, kSampleHeight, 0);
  if (!fontFile.empty())
    fonts_.DrawTerminalText(canvas, 2, 2, 0xFFFFFF, ToTerminalCharset(kSampleText), fontFile, false,
                            0, 1.0);
  setPixmap(QPixmap::fromImage(canvas.Image().copy()));
}

// --- the dialog ----------------------------------------------------------------------

ObjectDialog::ObjectDialog(const ObjectDialogContext& context, const t_objekt& buffer,
                           QWidget* parent)
    : ToolDialog(context.workspace.translator(), context.messages, parent),
      context_(context),
      original_(buffer.Clone()) {
  setWindowTitle(Q(buffer.TypeName(translator())));
  ForEach<t_fonteintrag>(context.workspace.catalog().fonts, [&](const t_fonteintrag& f) {
    fonts_.push_back({f.fileName, CellByte(f.height), CellByte(f.width)});
  });
}

ObjectDialog::~ObjectDialog() = default;

bool ObjectDialog::Apply() {
  ObjectPtr edited = original_->Clone();
  if (!edited || !Store(*edited, true)) return false;
  if (recomputeExtent_) edited->UpdateExtent();
  result_ = std::move(edited);
  return true;
}

void ObjectDialog::Changed() {
  if (!built_ || !preview_) return;
  ObjectPtr shown = original_->Clone();
  if (!shown) return;
  Store(*shown, false);
  shown->UpdateExtent();
  preview_->ShowObject(*shown);
  shown_ = std::move(shown);
}

void ObjectDialog::AddPreview() {
  QGroupBox* box = Group("Vorschau", txt::kObjVorschau, this);
  box->setToolTip(Tr(translator(), txt::kObjVorschauHinweis));
  auto* layout = new QVBoxLayout(box);
  preview_ = new ObjectPreview(context_, box);
  layout->addWidget(preview_);
  Body()->addWidget(box);
  built_ = true;
  Changed();
}

QGroupBox* ObjectDialog::Group(const char* name, const TextId& caption, QWidget* parent) {
  auto* box = new QGroupBox(Tr(translator(), caption), parent ? parent : this);
  box->setObjectName(name);
  return box;
}

QComboBox* RecordBox(QWidget* parent, const char* name, const t_liste* records, int current) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  int chosen = -1;
  // Fields keep some numbers signed; the records' numbers are 16 bits.
  const auto wanted = static_cast<std::uint16_t>(current);
  for (const t_liste* r = records; r; r = r->next()) {
    if (chosen < 0 && r->number == wanted) chosen = box->count();
    box->addItem(NumberedName(r->number, r->name), int{r->number});
  }
  box->setCurrentIndex(chosen);
  return box;
}

QComboBox* ObjectDialog::VariableBox(QWidget* parent, const char* name, int current) {
  QComboBox* box = RecordBox(parent, name, context_.project.variables.get(), current);
  connect(box, &QComboBox::currentIndexChanged, this, &ObjectDialog::Changed);
  return box;
}

QComboBox* ObjectDialog::TextListBox(QWidget* parent, const char* name, int current) {
  QComboBox* box = RecordBox(parent, name, context_.project.textLists.get(), current);
  connect(box, &QComboBox::currentIndexChanged, this, &ObjectDialog::Changed);
  return box;
}

std::optional<int> ChosenNumber(const QComboBox* box) {
  if (box->currentIndex() < 0) return std::nullopt;
  return box->currentData().toInt();
}

QListWidget* ObjectDialog::FontList(QWidget* parent, const char* name, const std::string& current) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  int chosen = -1;
  int row = 0;
  ForEach<t_fonteintrag>(context_.workspace.catalog().fonts, [&](const t_fonteintrag& f) {
    list->addItem(Q(f.name));
    if (chosen < 0 && f.fileName == current) chosen = row;
    ++row;
  });
  list->setCurrentRow(chosen);
  if (chosen < 0) list->clearSelection();
  FitWidth(list);
  connect(list, &QListWidget::currentRowChanged, this, &ObjectDialog::Changed);
  return list;
}

QComboBox* ObjectDialog::FontBox(QWidget* parent, const char* name, const std::string& current) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  int chosen = -1;
  ForEach<t_fonteintrag>(context_.workspace.catalog().fonts, [&](const t_fonteintrag& f) {
    if (chosen < 0 && f.fileName == current) chosen = box->count();
    box->addItem(Q(f.name));
  });
  box->setCurrentIndex(chosen);
  connect(box, &QComboBox::currentIndexChanged, this, &ObjectDialog::Changed);
  return box;
}

const FontChoice* ObjectDialog::FontAt(int row) const {
  if (row < 0 || row >= static_cast<int>(fonts_.size())) return nullptr;
  return &fonts_[static_cast<std::size_t>(row)];
}

bool ObjectDialog::CheckFontRow(QListWidget* list, bool strict) {
  if (fonts_.empty() || FontAt(list->currentRow())) return true;
  if (strict) {
    std::string text = translator().Tr(txt::kObjListenindex);
    const std::size_t at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(list->currentRow()));
    Messages().Show(MsgKind::Fehler, ButtonSet::Weiter, text);
    list->setFocus();
  }
  return false;
}

FontSample* ObjectDialog::AddFontSample(QWidget* parent, QLayout* layout) {
  auto* sample = new FontSample(context_.fonts, parent);
  layout->addWidget(sample);
  return sample;
}

std::optional<std::int32_t> ObjectDialog::Integer(QLineEdit* field, std::int32_t low,
                                                  std::int32_t high, bool strict) {
  if (strict) return IntegerField(field, low, high);
  const std::optional<std::int32_t> value = ParseInteger(S(field->text()));
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

std::optional<double> ObjectDialog::Real(QLineEdit* field, bool strict) {
  const std::optional<double> value = ParseDecimal(S(field->text()));
  if (!value && strict) RefuseField(field, txt::kObjKeinGleitkommawert);
  return value;
}

}  // namespace tavo
