#include "editor/pages/picturelist.h"

#include <QAction>
#include <QFont>
#include <QListView>
#include <QPixmap>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "editor/mainwindow_icons.h"
#include "objects/fields/fields.h"
#include "objects/objekt.h"
#include "objects/tview.h"
#include "project/projekt.h"
#include "qt/qimagecanvas.h"
#include "shell/messagebox.h"
#include "shell/settings.h"

namespace tavo {

namespace {

constexpr int kColumnSize = 3;
constexpr int kColumnObjects = 4;

}  // namespace

void CountPictureStatistics(t_bild& picture) {
  std::int32_t count = 0;
  std::int32_t size = 0;
  for (const t_liste* o = picture.objects.get(); o; o = o->next()) {
    const auto& object = static_cast<const t_objekt&>(*o);
    count += object.ObjectCount();
    size += object.TerminalSize();
  }
  picture.objectCount = count;
  picture.size = size;
}

QImage DrawThumbnail(const t_bild& picture, const t_projekt& project, tview& view,
                     const PictureSettings& settings) {
  QImageCanvas canvas(kThumbnailWidth, kThumbnailHeight);
  const int width = project.terminal && project.terminal->width > 0 ? project.terminal->width : 640;
  const int height =
      project.terminal && project.terminal->height > 0 ? project.terminal->height : 480;
  {
    ViewBorrow borrow(view, &canvas, (800.0 / width) * 0.2, 0, 0);
    const bool grey = view.Grayscale();
    view.SetGrayscale(settings.grayscale);
    view.SetBrushColour(view.PaletteColour(picture.backgroundColour));
    view.SetFillPattern(1);
    view.FillRectangle(0, 0, width - 1, height - 1);
    const int mode = settings.style == 0 ? kDrawNormal : settings.style == 1 ? kDrawOutline : -1;
    if (mode >= 0) {
      FieldContext context;
      context.textLists = project.textLists.get();
      for (const t_liste* o = picture.objects.get(); o; o = o->next())
        DrawObject(static_cast<const t_objekt&>(*o), view, mode, context);
    }
    view.SetGrayscale(grey);
  }
  return canvas.Image().copy();
}

PictureListPage::PictureListPage(Workspace& workspace, Retranslator& texts, tview& view,
                                 const PictureSettings& settings, QWidget* parent)
    : ListPage(
          workspace, texts, "TabBilder", RecordList::Pictures,
          {txt::kColName, txt::kColNummer, txt::kColHgFarbe, txt::kColGroesse, txt::kColAnzObjekte},
          parent),
      view_(view),
      settings_(settings),
      stack_(new QStackedWidget(this)),
      icons_(new QListView(this)) {
  // The report and the icon view show the same rows and share the selection.
  stack_->setObjectName("bild_liste");
  table_->setObjectName("bild_liste_Bericht");
  icons_->setObjectName("bild_liste_Symbole");
  ReplaceTable(stack_);
  stack_->addWidget(table_);
  stack_->addWidget(icons_);
  table_->setIconSize(QSize(kThumbnailWidth / 2, kThumbnailHeight / 2));
  table_->setColumnWidth(0, 400);
  for (int c = 1; c < 5; ++c) table_->setColumnWidth(c, 92);
  table_->SetRenamable(true);
  table_->SetFilterColumns({0, 1});  // name and picture number
  icons_->setViewMode(QListView::IconMode);
  icons_->setIconSize(QSize(kThumbnailWidth, kThumbnailHeight));
  icons_->setResizeMode(QListView::Adjust);
  icons_->setMovement(QListView::Static);
  icons_->setSpacing(8);
  icons_->setUniformItemSizes(true);
  icons_->setEditTriggers(table_->editTriggers());
  icons_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  icons_->setModel(table_->model());
  icons_->setSelectionModel(table_->selectionModel());
  connect(icons_, &QListView::doubleClicked, this, [this] { emit editRequested(); });
  connect(table_, &RecordTable::recordRenamed, this, &PictureListPage::Renamed);

  AddTool("TBBildNeu", txt::kStepBildNeu, ToolImage::New, &ListPage::NewRecord);
  QAction* edit =
      AddTool("TBBildEdit", txt::kHintBildAendern, ToolImage::Edit, &ListPage::EditSelected);
  edit->setIcon(MakeIcon(IconId::EditPicture));
  AddTool("TBBildKopieren", txt::kStepBilderKopieren, ToolImage::Copy, &ListPage::CopySelected);
  AddTool("TBBildLoeschen", txt::kStepBilderLoeschen, ToolImage::Delete, &ListPage::DeleteSelected);
  AddExchangeTools();
  viewToggle_ = new QAction(MakeIcon(IconId::PictureListView), QString(), this);
  viewToggle_->setObjectName("TBBildAnsicht");
  InsertTool(viewToggle_);
  connect(viewToggle_, &QAction::triggered, this, &PictureListPage::ToggleView);
  texts.Add([this](Translator& tr) { viewToggle_->setToolTip(Tr(tr, txt::kHintBildAnsicht)); });
}

// Thumbnails drawn while the list is filled: about what the page shows at
// once. A large project's other pictures follow once the window is up.
constexpr int kThumbnailsAtOnce = 24;
constexpr int kThumbnailsPerTurn = 8;

void PictureListPage::FillRows(const t_projekt& project) {
  Translator& tr = workspace_.translator();
  const QString bytes = Tr(tr, txt::kEinheitBytes);
  const QString start = Tr(tr, txt::kStartbild);
  const int generation = ++fillGeneration_;
  int row = 0;
  ForEach<t_bild>(project.pictures, [&](t_bild& b) {
    CountPictureStatistics(b);
    RecordCell name = RecordCell::Text(b.name);
    if (row++ < kThumbnailsAtOnce)
      name.icon = QIcon(QPixmap::fromImage(DrawThumbnail(b, project, view_, settings_)));
    // The colour's name in the window's language, sorted by its number.
    RecordCell colour{PaletteText(tr, b.backgroundColour),
                      QVariant(static_cast<qlonglong>(b.backgroundColour)),
                      {}};
    table_->AddRow(
        &b, {name, RecordCell::Number(b.pictureNumber), colour,
             RecordCell::Number(QString(bytes).replace("%s", QString::number(b.size)), b.size),
             RecordCell::Number(b.objectCount)});
    // The picture the terminal shows first stands out.
    if (project.head && b.pictureNumber == project.head->startPicture) {
      QStandardItem* item = table_->SourceModel().item(table_->RowCount() - 1, 0);
      QFont bold = item->font();
      bold.setBold(true);
      item->setFont(bold);
      item->setToolTip(start);
    }
  });
  if (row > kThumbnailsAtOnce)
    QTimer::singleShot(
        0, this, [this, generation] { DrawDeferredThumbnails(generation, kThumbnailsAtOnce); });
}

void PictureListPage::DrawDeferredThumbnails(int generation, int firstPicture) {
  // Any change of the project fills the list again and so ends this
  // generation: the pictures walked here are those the rows show.
  if (generation != fillGeneration_ || !shown_) return;
  const t_projekt& project = *shown_;
  int index = 0;
  const t_liste* n = project.pictures.get();
  for (; n && index < firstPicture; n = n->next()) ++index;
  for (; n && index < firstPicture + kThumbnailsPerTurn; n = n->next(), ++index) {
    const auto& picture = static_cast<const t_bild&>(*n);
    const int row = table_->SourceRowOf(n);
    if (QStandardItem* item = row < 0 ? nullptr : table_->SourceModel().item(row, 0))
      item->setIcon(QIcon(QPixmap::fromImage(DrawThumbnail(picture, project, view_, settings_))));
  }
  if (n)
    QTimer::singleShot(0, this,
                       [this, generation, index] { DrawDeferredThumbnails(generation, index); });
}

void PictureListPage::NewRecord() {
  if (!document_) return;
  auto picture = t_bild::NewInEditor(document_->Project().pictures.get());
  t_liste* raw = picture.get();
  if (!Succeeded(AppendRecord(*document_, list_, std::move(picture), txt::kStepBildNeu))) return;
  table_->SelectRecords({raw});
  emit editRequested();
}

// Picture names are unique without regard to the case of A to Z; a name
// that is taken is refused and the old one shown again.
void PictureListPage::Renamed(t_liste* record, const QString& typed) {
  if (!InList(record)) return;
  const std::string name = S(typed);
  if (PictureNameTaken(document_->Project(), static_cast<const t_bild&>(*record), name)) {
    Box().Show(MsgKind::Warnung, ButtonSet::Weiter,
               Text(txt::kBildname) + " [" + name + "] " + Text(txt::kBereitsVorhanden));
    Fill(&document_->Project());
    return;
  }
  Succeeded(RenameRecord(*document_, list_, *record, name));
}

void PictureListPage::RefreshPictureStatistics(t_projekt* project) {
  if (!project) return;
  QStandardItemModel& model = table_->SourceModel();
  ForEach<t_bild>(project->pictures, [&](t_bild& b) {
    CountPictureStatistics(b);
    // Rows are found by their record, not by caption: two pictures whose
    // names differ only in case keep their own numbers.
    const int row = table_->SourceRowOf(&b);
    if (row < 0) return;
    auto update = [&](int column, qlonglong value, const QString& text) {
      QStandardItem* item = model.item(row, column);
      if (item->text() == text) return;
      item->setText(text);
      item->setData(value, RecordSortModel::kSortRole);
    };
    update(kColumnSize, b.size,
           Tr(workspace_.translator(), txt::kEinheitBytes).replace("%s", QString::number(b.size)));
    update(kColumnObjects, b.objectCount, QString::number(b.objectCount));
  });
}

void PictureListPage::ToggleView() {
  stack_->setCurrentIndex(ShowsIcons() ? 0 : 1);
}

bool PictureListPage::ShowsIcons() const {
  return stack_->currentIndex() == 1;
}

std::vector<t_bild*> PictureListPage::SelectedPictures() const {
  std::vector<t_bild*> pictures;
  for (t_liste* record : table_->SelectedRecords())
    pictures.push_back(static_cast<t_bild*>(record));
  return pictures;
}

}  // namespace tavo
