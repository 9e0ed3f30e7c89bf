#include "desktop/search/combo_history.h"

#include <QComboBox>

namespace kestrix {

void SetHistory(QComboBox* box, const std::vector<std::string>& oldest_first) {
  box->clear();
  for (auto entry = oldest_first.rbegin(); entry != oldest_first.rend(); ++entry) {
    box->addItem(QString::fromStdString(*entry));
  }
  if (box->count() > 0) box->setCurrentIndex(0);
}

}  // namespace kestrix
