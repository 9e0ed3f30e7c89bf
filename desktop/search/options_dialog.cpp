#include "desktop/search/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "desktop/search/folder_picker.h"
#include "desktop/search/hint_list.h"

namespace kestrix {

frmFindTextInFilesOptions::frmFindTextInFilesOptions(QWidget* parent) : QDialog(parent) {
  setObjectName("frmFindTextInFilesOptions");
  setWindowTitle("Find In Files");
  CreateFields();
  LayOut();
  Connect();
}

void frmFindTextInFilesOptions::CreateFields() {
  cbDirectory = NewCombo("cbDirectory");
  cbSelectFolder = NewButton("cbSelectFolder", "&...");
  cbFileExt = NewCombo("cbFileExt");
  cbSearchFor = NewCombo("cbSearchFor");
  Command1 = NewButton("Command1", QString());
  Command1->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  Command1->setToolTip("Insert a pattern element");
  Command1->setAccessibleName("Pattern elements");
  cbCaseSensitive = NewCheck("cbCaseSensitive", "&Case Sensitive");
  cbWholeWordOnly = NewCheck("cbWholeWordOnly", "&Whole word only");
  cbLookInSubfolders = NewCheck("cbLookInSubfolders", "&Look in subfolders");
  cbRegularExpression = NewCheck("cbRegularExpression", "R&egular Expression");
  cbSupportOfficeDocs = NewCheck("cbSupportOfficeDocs", "&Support MS Word and Excel");
  cbDontStreamResults = NewCheck("cbDontStreamResults", "Show &all findings at end of search (Faster)");
  cbBeepWhenDone = NewCheck("cbBeepWhenDone", "&Beep When Done");
  cbSearch = NewButton("cbSearch", "&Search");
  cbSearch->setDefault(true);
  cbCancel = NewButton("cbCancel", "Cancel");
  // Not part of any layout: the list drops down over the fields below the search text.
  lbRegular = new HintList(this);
  lbRegular->setObjectName("lbRegular");
}

QComboBox* frmFindTextInFilesOptions::NewCombo(const char* name) {
  auto* box = new QComboBox(this);
  box->setObjectName(name);
  box->setEditable(true);
  // The histories belong to the search window; Enter accepts the dialog rather than adding an entry.
  box->setInsertPolicy(QComboBox::NoInsert);
  // The history is offered in the list only: what the user types is never completed from it, nor matched
  // to an entry that differs in letter case.
  box->setCompleter(nullptr);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setMinimumContentsLength(40);
  return box;
}

QCheckBox* frmFindTextInFilesOptions::NewCheck(const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(name);
  return box;
}

QPushButton* frmFindTextInFilesOptions::NewButton(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  return button;
}

void frmFindTextInFilesOptions::Connect() {
  connect(cbSearch, &QPushButton::clicked, this, &frmFindTextInFilesOptions::accept);
  connect(cbCancel, &QPushButton::clicked, this, &frmFindTextInFilesOptions::reject);
  connect(cbSelectFolder, &QPushButton::clicked, this, &frmFindTextInFilesOptions::cbSelectFolder_Click);
  connect(Command1, &QPushButton::clicked, this, &frmFindTextInFilesOptions::Command1_Click);
  connect(lbRegular, &HintList::Chosen, this, &frmFindTextInFilesOptions::lbRegular_Click);
}

void frmFindTextInFilesOptions::accept() {
  cbSearchFor->setFocus();
  bCancelled = false;
  QDialog::accept();
}

void frmFindTextInFilesOptions::reject() {
  bCancelled = true;
  QDialog::reject();
}

void frmFindTextInFilesOptions::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Unload();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmFindTextInFilesOptions::Unload() {
  bCancelled = true;
  for (QComboBox* box : {cbDirectory, cbFileExt, cbSearchFor}) {
    box->clear();
    box->clearEditText();
  }
  for (QCheckBox* box : {cbCaseSensitive, cbWholeWordOnly, cbLookInSubfolders, cbRegularExpression,
                         cbSupportOfficeDocs, cbDontStreamResults, cbBeepWhenDone}) {
    box->setChecked(false);
  }
  lbRegular->hide();
  lbRegular->clearSelection();
  cbDirectory->setFocus();
  QDialog::reject();
}

void frmFindTextInFilesOptions::cbSelectFolder_Click() {
  // A cancelled picker gives an empty text, which empties the box.
  cbDirectory->setEditText(BrowseForFolder(this));
  cbSearch->setFocus();
}

void frmFindTextInFilesOptions::Command1_Click() {
  lbRegular->DropDownBelow(cbSearchFor);
}

void frmFindTextInFilesOptions::lbRegular_Click(int row) {
  cbRegularExpression->setChecked(true);
  cbSearchFor->setEditText(ApplyHint(row, cbSearchFor->currentText()));
  cbSearchFor->setFocus();
  lbRegular->hide();
  cbSearchFor->lineEdit()->deselect();
  cbSearchFor->lineEdit()->end(false);
}

}  // namespace kestrix
