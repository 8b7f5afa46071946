#pragma once

#include <QWidget>
#include <functional>

#include "analysis/ExactResults.h"
#include "analysis/ResultChoice.h"
#include "beam/InputLimits.h"
#include "files/ExactTable.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace trevan {

struct Envelope;
class TTrevanDoc;

// A small tool window, like the property inspector, with the exact results
// of one beam: its supports with reactions and vice moments, the extreme
// values with their positions, and total load against the reactions' sum.
class TResultsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TResultsPanel(QWidget* parent = nullptr);

  // Solves the beam and shows it; none shows an empty panel. The panel
  // keeps only the results, never the beam.
  // The choice picks the result: the table shows one solution, with its
  // name on a beam with cases; an envelope shows its lines alone.
  // `shown` is the envelope the diagrams show, when they show one.
  void ShowBeam(const TTrevanDoc* beam, const ResultChoice& choice = {}, const Envelope* shown = nullptr);
  void SetKilo(bool kilo);
  bool Kilo() const;
  // The table as tab-separated text, as Copy puts it on the clipboard.
  QString TableText() const;
  void CopyTable() const;

  // The deflection limit as the span over this; typed values of 1 or more count.
  double DeflectionLimit() const { return limit_; }
  void SetDeflectionLimit(double limit);
  QComboBox* LimitChoice() const { return limitChoice_; }
  std::function<void(double)> OnLimitChanged;

  QTableWidget* Table() const { return table_; }
  // The envelopes of a beam with load cases, line by line.
  QPlainTextEdit* Envelopes() const { return envelopes_; }
  QCheckBox* KiloSwitch() const { return kilo_; }
  QPushButton* CopyButton() const { return copy_; }
  // Close supports, when there are: their distance and what it does.
  QLabel* Warning() const { return warning_; }
  // Called when the user closes the window, so the command loses its check.
  std::function<void()> OnClosed;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  // Full precision for a copy that goes on into other programs.
  std::vector<ExactTable::Row> AllRows(bool fullPrecision = false, bool withEnvelopes = true) const;
  void LimitTyped(const QString& text);

  QTableWidget* table_;
  QPlainTextEdit* envelopes_;
  QLabel* warning_;
  QCheckBox* kilo_;
  QPushButton* copy_;
  QComboBox* limitChoice_;
  double limit_ = limits::DefaultDeflectionLimit;
  ExactResults results_;
  // The envelopes' lines, for a beam with load cases.
  std::vector<ExactTable::Row> envelopeRows_;
  bool metric_ = true;
  bool showsEnvelope_ = false;
  std::string heading_;
  bool hasBeam_ = false;
};

}  // namespace trevan
