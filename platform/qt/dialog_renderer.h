// Dialog templates shown as Qt dialogs: the Qt side of the dialogs that libraries without a user
// interface of their own (the control's about box and property pages) create from their templates.
// Items become Qt widgets placed by the template's dialog units, measured in the template's font (or the
// nearest sans-serif font this system has); clicks go to the dialog's procedure as commands.
//
// In place for as long as the object lives (create it after the QApplication, on its thread).
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>

#include "platform/window/dialog.h"

class QDialog;

namespace qtplatform {

class QtDialogRenderer : public win::DialogRenderer {
 public:
  QtDialogRenderer();
  ~QtDialogRenderer() override;
  QtDialogRenderer(const QtDialogRenderer&) = delete;
  QtDialogRenderer& operator=(const QtDialogRenderer&) = delete;

  // A window the dialogs may name as owner or parent: `widget` (a frame's page area, a main window).
  win::HWND WindowOf(QWidget* widget);
  // The widget of a dialog or of a window given by WindowOf; null when there is none.
  QWidget* WidgetOf(win::HWND window) const;

  bool RunModal(win::HWND dialog, win::HWND owner, const win::DialogTemplate& layout,
                const std::function<void()>& initialise) override;
  void EndModal(win::HWND dialog) override;
  bool CreateChild(win::HWND dialog, win::HWND parent, const win::DialogTemplate& layout) override;
  void DestroyChild(win::HWND dialog) override;
  win::HWND ItemWindow(win::HWND dialog, int id) override;
  bool SetItemText(win::HWND dialog, int id, const std::string& text) override;
  std::string ItemText(win::HWND dialog, int id) override;
  bool SetItemChecked(win::HWND dialog, int id, bool checked) override;
  bool ItemChecked(win::HWND dialog, int id) override;
  bool Move(win::HWND dialog, int x, int y, int width, int height) override;
  bool Show(win::HWND dialog, bool show) override;

 private:
  struct Shown {
    QPointer<QWidget> widget;
    std::map<int, QPointer<QWidget>> items;
  };
  QWidget* Item(win::HWND dialog, int id) const;
  void Populate(win::HWND dialog, QWidget& surface, const win::DialogTemplate& layout);

  std::map<win::HWND, Shown> dialogs_;
  std::map<win::HWND, QPointer<QWidget>> hosts_;
  win::DialogRenderer* previous_;
};

}  // namespace qtplatform
