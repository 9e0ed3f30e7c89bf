// The search itself: the Find Text flow through the options dialog, starting the control, its events,
// the timer that shows progress and copies findings while the scan runs, and the abort.
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "desktop/frame/text_helpers.h"
#include "desktop/search/combo_history.h"
#include "desktop/search/options_dialog.h"
#include "desktop/search/search_window.h"
#include "desktop/search/status_texts.h"
#include "desktop/search/zarn_control.h"
#include "platform/qt/status_bar.h"
#include "platform/win/ticks.h"

namespace kestrix {

namespace {

constexpr std::int32_t kStreamedRowsPerTick = 100;

// The options the dialog shows as check boxes, with the control's property of the same meaning.
struct OptionBox {
  QCheckBox* frmFindTextInFilesOptions::*box;
  const char* property;
};
constexpr OptionBox kOptionBoxes[] = {
    {&frmFindTextInFilesOptions::cbSupportOfficeDocs, "SupportOfficeDocs"},
    {&frmFindTextInFilesOptions::cbCaseSensitive, "CaseSensitive"},
    {&frmFindTextInFilesOptions::cbLookInSubfolders, "LookInSubfolders"},
    {&frmFindTextInFilesOptions::cbWholeWordOnly, "WholeWordOnly"},
    {&frmFindTextInFilesOptions::cbRegularExpression, "RegularExpression"},
};

// Copies a combo box's text into the control and into its history, which is saved at once.
void TakeComboText(ZarnControl& control, const char* property, const QComboBox& box, SearchHistory& history,
                   const std::string& ini, const char* section) {
  const QString text = box.currentText();
  control.SetText(property, text);
  AddToHistory(history, BytesOf(text));
  SaveHistory(ini, section, history);
}

}  // namespace

void frmFindTextInFiles::FindText() {
  cmdFindText_Click();
}

void frmFindTextInFiles::cmdFindText_Click() {
  if (!options_) options_ = new frmFindTextInFilesOptions(this);
  PresetOptionsDialog();
  options_->exec();
  if (options_->bCancelled) return;
  ApplyOptionsDialog();
  BeginSearch();
}

void frmFindTextInFiles::PresetOptionsDialog() {
  options_->cbBeepWhenDone->setChecked(settings_.mbBeepWhenDone);
  for (const OptionBox& option : kOptionBoxes)
    (options_->*option.box)->setChecked(Zarn1->GetBool(option.property));
  options_->cbDontStreamResults->setChecked(!settings_.mbStreamFindings);
  SetHistory(options_->cbDirectory, folder_history_);
  SetHistory(options_->cbFileExt, ext_history_);
  SetHistory(options_->cbSearchFor, text_history_);
}

void frmFindTextInFiles::ApplyOptionsDialog() {
  const std::string& ini = frame_.IniFile();
  TakeComboText(*Zarn1, "SearchPath", *options_->cbDirectory, folder_history_, ini, "SearchPath");
  TakeComboText(*Zarn1, "SearchExt", *options_->cbFileExt, ext_history_, ini, "FileExt");
  TakeComboText(*Zarn1, "SearchString", *options_->cbSearchFor, text_history_, ini, "SearchFor");
  for (const OptionBox& option : kOptionBoxes)
    Zarn1->SetBool(option.property, (options_->*option.box)->isChecked());
  settings_.mbStreamFindings = !options_->cbDontStreamResults->isChecked();
  settings_.mbBeepWhenDone = options_->cbBeepWhenDone->isChecked();
}

void frmFindTextInFiles::Refresh_View() {
  BeginSearch();
}

void frmFindTextInFiles::BeginSearch() {
  mlSearchStartTicks = win::GetTickCount();
  ResetFindingsGrid();
  ShowErrorHeader();
  sbStatus->SetPanelText(kScanTimePanel, kElapsedPendingText);
  Zarn1->Begin();  // a refusal arrives as OnError
}

void frmFindTextInFiles::Zarn1_ScanStarted() {
  view_report_->setVisible(false);
  Timer1->start();
  sbStatus->SetPanelText(kHitCountPanel, "0");
  sbStatus->SetPanelText(kStatePanel, kSearchStartedText);
}

void frmFindTextInFiles::Zarn1_ScanCompleted() {
  view_report_->setVisible(true);
  sbStatus->SetPanelText(kStatePanel, kScanCompletedText);
  if (settings_.mbBeepWhenDone && beep) beep();
}

void frmFindTextInFiles::Zarn1_OnError(std::int32_t, const QString& text) {
  lstErrorMessages->addItem(kErrorLinePrefix + text);
}

// Copying findings yields to the event loop, where the timer may tick again: a tick that comes while a
// copy is in progress does nothing (what else may happen meanwhile is told in findings_copy.h).
void frmFindTextInFiles::Timer1_Timer() {
  if (copy_.Busy()) return;
  sbStatus->SetPanelText(kStatePanel, QString::fromStdString(NextMarqueeText(kProgressText)));
  if (Zarn1->SearchActive()) {
    if (settings_.mbStreamFindings) FetchFindings(kStreamedRowsPerTick);
    return;
  }
  Timer1->stop();
  // A copy that was ended (abort, new search) or lost its window shows no end of the scan.
  if (FetchFindings(0)) ShowScanEnd();
}

void frmFindTextInFiles::ShowScanEnd() {
  sbStatus->SetPanelText(kStatePanel, kTransferCompletedText);
  mlSearchStartTicks = win::GetTickCount() - mlSearchStartTicks;
  sbStatus->SetPanelText(kScanTimePanel, ElapsedSecondsText(mlSearchStartTicks));
}

void frmFindTextInFiles::Abort() {
  Zarn1->Abort();
  Timer1->stop();
  copy_.End();
  sbStatus->SetPanelText(kStatePanel, kScanAbortedText);
}

}  // namespace kestrix
