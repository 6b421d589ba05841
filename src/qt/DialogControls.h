// Small pieces the desktop dialogs share: buttons that tests find by their
// object name, and the conversion of the program's UTF-8 texts.
#pragma once

#include <QPushButton>
#include <QString>
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

inline QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace qt
