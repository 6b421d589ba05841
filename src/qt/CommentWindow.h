// The comment window (`TCommentaryWindow`): edits a store's comment. OK hands
// back at most kMaxComment characters, cut further so that their UTF-8 form
// fits the 300-byte `Comment` field with its terminator; Init. puts the
// store's default text into the field; Cancel changes nothing.
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace qt {

struct CommentLabels {
  QString ok = QStringLiteral("OK"), init = QStringLiteral("Init."), cancel = QStringLiteral("Cancel");
};

class CommentWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxField = 300;    // characters the field takes
  static constexpr int kMaxComment = 299;  // characters and bytes OK hands back

  CommentWindow(QWidget* parent, const QString& text, const QString& title, const QString& initText,
                const CommentLabels& labels);

  // The field's text as OK hands it back.
  QString Comment() const;
  // `text` cut to at most `maxChars` characters whose UTF-8 form has at most
  // `maxBytes` bytes, never inside a character.
  static QString Cut(const QString& text, int maxChars, int maxBytes);

 private:
  QPlainTextEdit* field_ = nullptr;
};

}  // namespace qt
