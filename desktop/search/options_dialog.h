// frmFindTextInFilesOptions: the search options dialog. The search window presets every field, shows the
// dialog modally and, unless bCancelled is set, reads the fields back; the dialog itself only edits them,
// offers a folder picker and inserts pattern elements into the search text.
//
// How it closes:
// - Search (cbSearch, the default button, so also Enter in any combo box): bCancelled false, the dialog
//   hides and keeps its values.
// - Cancel, and the title-bar close box, which means the same: bCancelled true, the dialog hides and
//   keeps its values.
// - Escape: bCancelled true and the dialog starts over — every field goes back to its empty design state
//   (empty combo boxes, unchecked boxes, hint list hidden) — and hides.
// Escape while the hint list has the focus only hides the list; the dialog stays open.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kestrix {

class HintList;

class frmFindTextInFilesOptions : public QDialog {
  Q_OBJECT

 public:
  explicit frmFindTextInFilesOptions(QWidget* parent = nullptr);

  void accept() override;
  void reject() override;

  // True when the dialog was last closed by Cancel, the close box or Escape; false after Search.
  bool bCancelled = false;

  QComboBox* cbDirectory;
  QPushButton* cbSelectFolder;
  QComboBox* cbFileExt;
  QComboBox* cbSearchFor;
  QPushButton* Command1;
  HintList* lbRegular;
  QCheckBox* cbCaseSensitive;
  QCheckBox* cbWholeWordOnly;
  QCheckBox* cbLookInSubfolders;
  QCheckBox* cbRegularExpression;
  QCheckBox* cbSupportOfficeDocs;
  QCheckBox* cbDontStreamResults;
  QCheckBox* cbBeepWhenDone;
  QPushButton* cbSearch;
  QPushButton* cbCancel;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QComboBox* NewCombo(const char* name);
  QCheckBox* NewCheck(const char* name, const QString& caption);
  QPushButton* NewButton(const char* name, const QString& caption);
  QLabel* NewLabel(const QString& caption, QWidget* buddy);
  void CreateFields();
  void LayOut();
  void Connect();

  void cbSelectFolder_Click();
  void Command1_Click();
  void lbRegular_Click(int row);
  void Unload();
};

}  // namespace kestrix
