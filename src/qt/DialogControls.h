// Small pieces the desktop dialogs share: buttons that tests find by their
// object name, and the conversion of the program's UTF-8 texts.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QString>
#include <functional>
#include <string_view>

namespace qt {

// A push button named for lookup; it never becomes the default button, so
// Enter in an edit field does not press it.
inline QPushButton* NamedButton(QWidget* parent, const QString& text, const QString& name) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

// A combo box that switches the shown record of a dialog: the fields of the
// shown one are taken first (`take`), and when they are refused the box goes
// back to it; otherwise `show` fills the fields of the chosen one.
inline void SwitchRecordsWith(QComboBox* box, QObject* context, const int& shown,
                              std::function<bool(int)> take, std::function<void(int)> show) {
  QObject::connect(box, &QComboBox::currentIndexChanged, context, [box, &shown, take, show](int k) {
    if (k < 0 || k == shown) return;
    if (!take(shown)) {
      const QSignalBlocker block(box);
      box->setCurrentIndex(shown);
      return;
    }
    show(k);
  });
}

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace qt
