#pragma once
// The list pages "Alarme", "Variablen" and "Texte": a tool bar (for the
// operations on the entries) above a RecordTable with the page's columns.
// EditSelected() and DeleteSelected() are where Enter, Delete, the
// double-click and the tool buttons arrive; the entry operations plug in
// there.

#include <QToolBar>
#include <QWidget>
#include <cstdint>
#include <string>

#include "editor/pages/recordtable.h"

namespace tavo {

class t_projekt;
class t_steuerung;

class ListPage : public QWidget {
  Q_OBJECT
 public:
  ListPage(Retranslator& texts, const char* objectName, std::vector<TextId> columns,
           QWidget* parent);

  // Rebuilds the rows from the project's list; null empties the page.
  virtual void Fill(const t_projekt* project) = 0;
  // The list operations arrive here; for now there are none.
  virtual void EditSelected() {}
  virtual void DeleteSelected() {}

  RecordTable* Table() const { return table_; }
  QToolBar* ToolBar() const { return toolBar_; }

 signals:
  void modified();

 protected:
  Retranslator& texts_;
  QToolBar* toolBar_;
  RecordTable* table_;
};

// "Nummer", "Text", "Dyn", "Brk", "Ein", "Aus".
class AlarmPage : public ListPage {
  Q_OBJECT
 public:
  AlarmPage(Retranslator& texts, QWidget* parent);
  void Fill(const t_projekt* project) override;
};

// "Name", "Index", "Adresse", "Länge", "Typ"; address and type follow the
// coupling's address format.
class VariablePage : public ListPage {
  Q_OBJECT
 public:
  VariablePage(Retranslator& texts, QWidget* parent);
  void Fill(const t_projekt* project) override;
};

// "Index", "Text", "Art".
class TextListPage : public ListPage {
  Q_OBJECT
 public:
  TextListPage(Retranslator& texts, QWidget* parent);
  void Fill(const t_projekt* project) override;
};

// The address as the variable page shows it: "DB10 DW5" with a SIEMENS
// coupling (address format 1), the plain number otherwise.
std::string VariableAddressText(std::int32_t address, const t_steuerung* coupling);

}  // namespace tavo
