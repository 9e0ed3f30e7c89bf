// The options dialog's arrangement: the three text fields with their labels and buttons on top, the
// options below on the left, Search and Cancel on the right. Everything is sized by layouts from the font,
// so the dialog scales with the screen's resolution.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/search/options_dialog.h"

namespace kestrix {

QLabel* frmFindTextInFilesOptions::NewLabel(const QString& caption, QWidget* buddy) {
  auto* label = new QLabel(caption, this);
  label->setBuddy(buddy);
  return label;
}

void frmFindTextInFilesOptions::LayOut() {
  auto* fields = new QGridLayout;
  fields->addWidget(NewLabel("Directory:", cbDirectory), 0, 0);
  fields->addWidget(cbDirectory, 0, 1);
  fields->addWidget(cbSelectFolder, 0, 2);
  fields->addWidget(NewLabel("File Types:", cbFileExt), 1, 0);
  fields->addWidget(cbFileExt, 1, 1);
  fields->addWidget(NewLabel("Search For:", cbSearchFor), 2, 0);
  fields->addWidget(cbSearchFor, 2, 1);
  fields->addWidget(Command1, 2, 2);
  fields->setColumnStretch(1, 1);

  auto* options = new QVBoxLayout;
  for (QCheckBox* box : {cbCaseSensitive, cbWholeWordOnly, cbLookInSubfolders, cbRegularExpression,
                         cbSupportOfficeDocs, cbDontStreamResults, cbBeepWhenDone}) {
    options->addWidget(box);
  }
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cbSearch);
  buttons->addWidget(cbCancel);
  buttons->addStretch();
  auto* lower = new QHBoxLayout;
  lower->addLayout(options, 1);
  lower->addLayout(buttons);

  auto* whole = new QVBoxLayout(this);
  whole->addLayout(fields);
  whole->addLayout(lower);
  whole->setSizeConstraint(QLayout::SetMinimumSize);
}

}  // namespace kestrix
