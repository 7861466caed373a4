#pragma once
// The list pages "Alarme", "Variablen" and "Texte" (and, in picturelist.h,
// "Bilder"): a tool bar with the page's operations and a filter field above
// a RecordTable with the page's columns, and below it what belongs to the
// focused row: where a variable, text list or picture is used, or how the
// terminal shows an alarm. The filter searches what identifies a record
// (number, name, address, alarm text), not columns such as the type, the
// length or the flags, whose few values would match most rows.
//
// EditSelected() and DeleteSelected() are where Enter, Delete, the
// double-click and the tool buttons arrive; every change goes to the
// document as one step (document/listoperations.h), and the window fills
// the page again from the change it reports.

#include <QToolBar>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/listoperations.h"
#include "editor/pages/recordtable.h"
#include "resources/fonts.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;

namespace tavo {

class AlarmPreview;
class MessageBox;
class Workspace;
class t_bild;
class t_objekt;
class t_projekt;

class ListPage : public QWidget {
  Q_OBJECT
 public:
  ListPage(Workspace& workspace, Retranslator& texts, const char* objectName, RecordList list,
           std::vector<TextId> columns, QWidget* parent);
  ~ListPage() override;

  // The open project's document; null when the project is closed.
  void SetDocument(Document* document);
  // Where questions and messages go (the window's box); not owned.
  void SetMessageBox(MessageBox* box) { messages_ = box; }

  // Rebuilds the rows from the project's list; null empties the page. When
  // the same project is filled again, the sort order, the filter and the
  // selection stay.
  void Fill(const t_projekt* project);
  // Objects or pictures changed: what the page says about where its
  // records are used is out of date.
  void ReferencesChanged();

  // The operations of the tool bar; each acts on the selected rows (edit on
  // the focused one) and does nothing without one.
  virtual void NewRecord() = 0;
  virtual void EditSelected() = 0;
  virtual void CopySelected();
  virtual void DeleteSelected();

  RecordTable* Table() const { return table_; }
  QToolBar* ToolBar() const { return toolBar_; }
  QLineEdit* FilterField() const { return filter_; }
  // The where-used list below the table; null on the alarm page.
  QListWidget* UsageList() const { return usage_; }
  // Whether Enter and Delete pressed while `focus` has the focus are the
  // page's commands (edit, delete). In the where-used list they are not:
  // Enter opens the reference there, and Delete must not delete the records.
  bool TakesCommandKeys(const QWidget* focus) const;

 signals:
  void modified();
  // A where-used row was chosen: show the picture, with the object selected
  // (null for a key).
  void openReference(tavo::t_bild* picture, tavo::t_objekt* object);

 protected:
  virtual void FillRows(const t_projekt& project) = 0;
  // The focused row changed (also after filling).
  virtual void CurrentChanged();
  void showEvent(QShowEvent* event) override;

  Translator& translator();
  std::string Text(const TextId& id);
  MessageBox& Box();
  // Says why an edit could not be done; true when it was done.
  bool Succeeded(const EditResult& result);
  // Adds a tool button with a hint and an image of the page's own.
  enum class ToolImage { New, Edit, Copy, Delete, DeleteWithReferences };
  QAction* AddTool(const char* name, const TextId& hint, ToolImage image, void (ListPage::*slot)());
  // Puts an action of the page's own behind the tools added so far.
  void InsertTool(QAction* action);
  // The standard tools: new, edit, copy and delete, named after the page.
  void AddStandardTools(const TextId& newHint, const TextId& editHint, const TextId& copyHint,
                        const TextId& deleteHint);
  // Puts `widget` where the table was (the picture list's views).
  void ReplaceTable(QWidget* widget);
  // The panel below the table (the alarm preview).
  void SetDetail(QWidget* widget);
  // The record an edit acts on: the focused row when it is selected, else
  // the first selected one; null without a selection.
  t_liste* ChosenRecord() const;
  // Whether the record is (still) one of the list's.
  bool InList(const t_liste* record) const;
  // A dialog's result: appended as a new record (`record` null) or put in
  // the place of `record` unless it is the same; then selected.
  void Store(t_liste* record, ListPtr edited, const TextId& newName, const TextId& editName);
  // Where each of the records is used, as lines to add to a message.
  std::string UsageAppendix(const std::vector<t_liste*>& records);

  Workspace& workspace_;
  Retranslator& texts_;
  RecordList list_;
  Document* document_ = nullptr;
  const t_projekt* shown_ = nullptr;
  QToolBar* toolBar_;
  RecordTable* table_;
  QLineEdit* filter_;

 private:
  std::string DeleteQuestion(const std::vector<t_liste*>& records);
  void RefreshUsage();
  void UsageChosen(int row);
  void DeleteWithReferences();
  void UpdateToolStates();

  MessageBox* messages_ = nullptr;
  MessageBox* ownBox_ = nullptr;  // a child of the page, made on first use
  QSplitter* splitter_;
  QAction* toolsEnd_ = nullptr;
  QAction* editTool_ = nullptr;
  QAction* copyTool_ = nullptr;
  QAction* deleteTool_ = nullptr;
  QAction* deleteAll_ = nullptr;
  QWidget* usagePanel_ = nullptr;
  QListWidget* usage_ = nullptr;
  QLabel* usageCaption_ = nullptr;
  std::vector<Reference> references_;
  bool usageStale_ = false;
};

// "Nummer", "Text", "Dyn", "Brk", "Ein", "Aus"; the preview shows the
// focused alarm.
class AlarmPage : public ListPage {
  Q_OBJECT
 public:
  AlarmPage(Workspace& workspace, Retranslator& texts, QWidget* parent);
  ~AlarmPage() override;
  void NewRecord() override;
  void EditSelected() override;
  AlarmPreview* Preview() const { return preview_; }

 protected:
  void FillRows(const t_projekt& project) override;
  void CurrentChanged() override;

 private:
  FontCache fonts_;
  AlarmPreview* preview_;
};

// "Name", "Index", "Adresse", "Länge", "Typ"; address and type follow the
// coupling's address format. Names can be edited in place.
class VariablePage : public ListPage {
  Q_OBJECT
 public:
  VariablePage(Workspace& workspace, Retranslator& texts, QWidget* parent);
  void NewRecord() override;
  void EditSelected() override;

 protected:
  void FillRows(const t_projekt& project) override;
};

// "Index", "Text", "Art".
class TextListPage : public ListPage {
  Q_OBJECT
 public:
  TextListPage(Workspace& workspace, Retranslator& texts, QWidget* parent);
  void NewRecord() override;
  void EditSelected() override;

 protected:
  void FillRows(const t_projekt& project) override;
};

}  // namespace tavo
