#pragma once

#include <QObject>

class QAction;

namespace trevan {

class TActionList;
class TMainForm;

// The File menu's exports of the active beam: the calculation sheet as PDF,
// its drawings as SVG or PNG, and the shear and moment as a CSV table; and
// the sheet's title block, File | Properties.
class TExportCommands : public QObject {
  Q_OBJECT

 public:
  TExportCommands(TMainForm& main, TActionList& actions);

  void ExportReport();
  void ExportDiagrams();
  void ExportTable();
  void EditProperties();

 private:
  // The file the user names, asked through the dialog service; empty when
  // cancelled or when an existing file is not to be replaced.
  QString AskFileName(const QString& filter, const QString& extension);
  void Failed(const QString& error);
  void UpdateEnabled();

  TMainForm& main_;
  QAction* report_;
  QAction* diagrams_;
  QAction* table_;
  QAction* properties_;
};

}  // namespace trevan
