#pragma once
// The editor's window for now: opens a project and shows what it holds.

#include <QMainWindow>
#include <memory>

class QTreeWidget;

namespace tavo {

class MessageBox;
class Workspace;
class t_projekt;

class ProjectWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit ProjectWindow(Workspace& workspace, QWidget* parent = nullptr);
  ~ProjectWindow() override;

  // Reads the project; reports failures in a message box. False when the
  // file could not be opened.
  bool OpenProject(const QString& path);
  const t_projekt* Project() const { return project_.get(); }
  QTreeWidget* Tree() const { return tree_; }
  // Messages go to this box instead of a window (tests script the answers).
  void SetMessageBox(MessageBox* box) { messages_ = box; }

 private slots:
  void OpenClick();

 private:
  void Fill();

  Workspace& workspace_;
  std::unique_ptr<t_projekt> project_;
  QTreeWidget* tree_;
  MessageBox* messages_ = nullptr;
};

}  // namespace tavo
