#pragma once
// The window's own small images, drawn in code (tool buttons, tree nodes,
// the start view's background tile, the splash picture). Icons are drawn at
// twice their size as well, so they stay sharp on high-density screens.

#include <QIcon>
#include <QImage>

namespace tavo {

enum class IconId {
  NewProject,
  OpenProject,
  ImportDos,
  SaveProject,
  SaveAs,
  ProjectPanel,
  Download,
  Simulate,
  PictureToClipboard,
  Print,
  CheckProject,
  EditPicture,
  PictureListView,
  TerminalChange,
  CouplingChange,
  Undo,
  Redo,
  // Navigation tree images 0, 1, 2, 3 and 6.
  NodeInfo,
  NodeAlarms,
  NodeVariables,
  NodePictures,
  NodePicture,
};

QIcon MakeIcon(IconId id);
// The tile laid over the start view's background.
QImage StartViewTile();
// The splash window's picture, `width` x `height` device-independent pixels.
QImage SplashPicture(int width, int height, qreal devicePixelRatio);

}  // namespace tavo
