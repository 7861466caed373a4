#pragma once
// The page "Bilder": every picture of the project with a thumbnail and its
// statistics (number, background colour, size, object count), as a table
// or as large icons. Editing a picture (button, double-click, Enter) asks
// the window to open the selected pictures in the editor; names are
// renamed in place and stay unique.

#include <QImage>
#include <QWidget>
#include <vector>

#include "editor/pages/listpages.h"

class QAction;
class QListView;
class QStackedWidget;

namespace tavo {

class t_bild;
class t_projekt;
class tview;
struct PictureSettings;

inline constexpr int kThumbnailWidth = 162;
inline constexpr int kThumbnailHeight = 120;

// Object count and size of a picture: the sums over its top-level objects.
// Stores them in the picture record as well.
void CountPictureStatistics(t_bild& picture);

// Draws the picture's terminal area into a kThumbnailWidth x kThumbnailHeight
// image: the terminal width maps to 160 pixels. Objects are drawn normally
// ("Style" 0), as outlines ("Style" 1), or not at all (other values).
QImage DrawThumbnail(const t_bild& picture, const t_projekt& project, tview& view,
                     const PictureSettings& settings);

class PictureListPage : public ListPage {
  Q_OBJECT
 public:
  PictureListPage(Workspace& workspace, Retranslator& texts, tview& view,
                  const PictureSettings& settings, QWidget* parent);

  // Recounts every picture and updates its row where the numbers changed.
  void RefreshPictureStatistics(t_projekt* project);
  // TBBildAnsicht: table <-> large icons.
  void ToggleView();
  bool ShowsIcons() const;

  std::vector<t_bild*> SelectedPictures() const;
  // A new picture, selected and opened in the editor.
  void NewRecord() override;
  // Opens every selected picture in the editor.
  void EditSelected() override { emit editRequested(); }

 signals:
  void editRequested();

 protected:
  // FillPictureList: the rows and their thumbnails.
  void FillRows(const t_projekt& project) override;

 private:
  void Renamed(t_liste* record, const QString& name);
  // Thumbnails beyond the first rows are drawn after the window has come
  // up, a batch per turn of the event loop; a later fill drops the rest.
  void DrawDeferredThumbnails(int generation, int firstPicture);

  tview& view_;
  int fillGeneration_ = 0;
  const PictureSettings& settings_;
  QStackedWidget* stack_;
  QListView* icons_;
  QAction* viewToggle_;
};

}  // namespace tavo
