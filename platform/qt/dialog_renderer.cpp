#include "platform/qt/dialog_renderer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>

#include "platform/qt/dialog_items.h"

namespace qtplatform {

namespace {

// A modal dialog whose close box and Escape go to the dialog's procedure as the Cancel command; only
// EndDialog closes it.
class TemplateDialog : public QDialog {
 public:
  TemplateDialog(win::HWND window, QWidget* owner) : QDialog(owner), window_(window) {}
  void reject() override { win::SendDialogCommand(window_, win::kDialogCancel); }
  void Finish() { QDialog::done(0); }

 private:
  win::HWND window_;
};

void Centre(QWidget& dialog, QWidget* owner) {
  const QRect area =
      owner ? owner->window()->frameGeometry()
            : (QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry() : QRect());
  if (!area.isEmpty()) dialog.move(area.center() - dialog.rect().center());
}

}  // namespace

QtDialogRenderer::QtDialogRenderer() : previous_(win::SetDialogRenderer(this)) {}

QtDialogRenderer::~QtDialogRenderer() {
  win::SetDialogRenderer(previous_);
  for (const auto& [window, widget] : hosts_) win::DestroyWindow(window);
}

win::HWND QtDialogRenderer::WindowOf(QWidget* widget) {
  if (!widget) return nullptr;
  for (const auto& [window, host] : hosts_)
    if (host == widget) return window;
  for (const auto& [window, shown] : dialogs_)
    if (shown.widget == widget) return window;
  const win::HWND window =
      win::CreateWindow([](win::HWND, win::UINT, win::WPARAM, win::LPARAM) { return 0; });
  hosts_[window] = widget;
  return window;
}

QWidget* QtDialogRenderer::WidgetOf(win::HWND window) const {
  if (const auto dialog = dialogs_.find(window); dialog != dialogs_.end()) return dialog->second.widget;
  if (const auto host = hosts_.find(window); host != hosts_.end()) return host->second;
  return nullptr;
}

void QtDialogRenderer::Populate(win::HWND dialog, QWidget& surface, const win::DialogTemplate& layout) {
  surface.setFont(DialogFont(layout));
  const DialogUnits units = DialogUnits::Of(surface.font());
  surface.setFixedSize(units.Place(0, 0, layout.cx, layout.cy).size());
  Shown& shown = dialogs_[dialog];
  shown.widget = &surface;
  for (const win::DialogItem& item : layout.items) {
    QWidget* widget = NewDialogItem(surface, item, units);
    if (!widget || item.id < 0) continue;
    shown.items[item.id] = widget;
    if (auto* tabs = qobject_cast<QTabWidget*>(widget))
      for (int tab = 0; tab < tabs->count(); ++tab) shown.items[item.id + 1 + tab] = tabs->widget(tab);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
      QObject::connect(button, &QAbstractButton::clicked,
                       [dialog, id = item.id] { win::SendDialogCommand(dialog, id); });
  }
}

bool QtDialogRenderer::RunModal(win::HWND dialog, win::HWND owner, const win::DialogTemplate& layout,
                                const std::function<void()>& initialise) {
  QWidget* owner_widget = WidgetOf(owner);
  if (!owner_widget) owner_widget = QApplication::activeWindow();
  TemplateDialog surface(dialog, owner_widget);
  surface.setWindowTitle(QString::fromStdString(layout.caption));
  surface.setModal(true);
  Populate(dialog, surface, layout);
  initialise();
  Centre(surface, owner_widget);
  surface.exec();
  dialogs_.erase(dialog);
  return true;
}

void QtDialogRenderer::EndModal(win::HWND dialog) {
  if (auto* surface = dynamic_cast<TemplateDialog*>(WidgetOf(dialog))) surface->Finish();
}

bool QtDialogRenderer::CreateChild(win::HWND dialog, win::HWND parent, const win::DialogTemplate& layout) {
  QWidget* parent_widget = WidgetOf(parent);
  if (!parent_widget) return false;
  auto* surface = new QWidget(parent_widget);
  Populate(dialog, *surface, layout);
  surface->show();
  return true;
}

void QtDialogRenderer::DestroyChild(win::HWND dialog) {
  const auto found = dialogs_.find(dialog);
  if (found == dialogs_.end()) return;
  delete found->second.widget.data();
  dialogs_.erase(found);
}

QWidget* QtDialogRenderer::Item(win::HWND dialog, int id) const {
  const auto found = dialogs_.find(dialog);
  if (found == dialogs_.end()) return nullptr;
  const auto item = found->second.items.find(id);
  return item == found->second.items.end() ? nullptr : item->second.data();
}

win::HWND QtDialogRenderer::ItemWindow(win::HWND dialog, int id) {
  QWidget* item = Item(dialog, id);
  return item ? WindowOf(item) : nullptr;
}

bool QtDialogRenderer::SetItemText(win::HWND dialog, int id, const std::string& text) {
  QWidget* item = Item(dialog, id);
  const QString shown = QString::fromStdString(text);
  if (auto* button = qobject_cast<QAbstractButton*>(item))
    button->setText(shown);
  else if (auto* label = qobject_cast<QLabel*>(item))
    label->setText(shown);
  else if (auto* group = qobject_cast<QGroupBox*>(item))
    group->setTitle(shown);
  else
    return false;
  return true;
}

std::string QtDialogRenderer::ItemText(win::HWND dialog, int id) {
  QWidget* item = Item(dialog, id);
  if (auto* button = qobject_cast<QAbstractButton*>(item)) return button->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(item)) return label->text().toStdString();
  if (auto* group = qobject_cast<QGroupBox*>(item)) return group->title().toStdString();
  return {};
}

bool QtDialogRenderer::SetItemChecked(win::HWND dialog, int id, bool checked) {
  auto* button = qobject_cast<QAbstractButton*>(Item(dialog, id));
  if (!button || !button->isCheckable()) return false;
  button->setChecked(checked);
  return true;
}

bool QtDialogRenderer::ItemChecked(win::HWND dialog, int id) {
  auto* button = qobject_cast<QAbstractButton*>(Item(dialog, id));
  return button && button->isChecked();
}

bool QtDialogRenderer::Move(win::HWND dialog, int x, int y, int width, int height) {
  QWidget* surface = WidgetOf(dialog);
  if (!surface || dialogs_.find(dialog) == dialogs_.end()) return false;
  if (width > 0 && height > 0) surface->setFixedSize(width, height);  // 0 by 0: the position alone
  surface->move(x, y);
  return true;
}

bool QtDialogRenderer::Show(win::HWND dialog, bool show) {
  QWidget* surface = WidgetOf(dialog);
  if (!surface || dialogs_.find(dialog) == dialogs_.end()) return false;
  surface->setVisible(show);
  return true;
}

}  // namespace qtplatform
