#include "qt/QtUi.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <deque>

#include "app/ValuePrompt.h"
#include "qt/ColourDialog.h"
#include "qt/CommentWindow.h"
#include "qt/DialogControls.h"
#include "qt/KeyCodes.h"
#include "qt/LongMessageWindow.h"
#include "qt/ValueDialog.h"
#include "qt/WaitWindow.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace qt {

// The application event filter behind InputPending and EscapePressed. It acts
// only while `active`; a modal dialog opened meanwhile gets its input.
class InputGate : public QObject {
 public:
  bool active = false;
  bool input = false;       // a key, button or wheel event was swallowed
  bool escape = false;      // one of them was Esc or Pause
  QWidget* stop = nullptr;  // the wait window's STOP button: a press on it is an Esc
  std::deque<int> keys;     // virtual keys for TakeKey, the oldest first

  void Keep(int key) {
    // A loop that takes no keys must not let them pile up.
    if (keys.size() >= 16) keys.pop_front();
    keys.push_back(key);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!active || QApplication::activeModalWidget()) return false;
    if (stop && event->type() == QEvent::MouseButtonPress && stop->isVisible()) {
      const QPoint at = stop->mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      if (stop->rect().contains(at)) escape = true;
    }
    switch (event->type()) {
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Pause) escape = true;
        if (const int vk = VirtualKey(*static_cast<QKeyEvent*>(event))) Keep(vk);
        input = true;
        return true;
      }
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        Keep(1);
        input = true;
        return true;
      case QEvent::Wheel:
      case QEvent::TouchBegin:
      case QEvent::TabletPress:
        input = true;
        return true;
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TabletMove:
      case QEvent::TabletRelease:
      case QEvent::ContextMenu:
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop:
        return true;
      case QEvent::Close:
        // The user closing a window mid-loop; the program's own closes pass.
        return event->spontaneous();
      case QEvent::Timer:
        // Held back, not lost: a timer stays armed until its handler runs.
        // A window's own update timer still runs, so that painting goes on.
        return !qobject_cast<QWindow*>(watched);
      default:
        return false;
    }
  }
};

namespace {

constexpr int kPumpIntervalMs = 20;

// Turns the gate off while a dialog of this Ui runs its own event loop.
class GateOff {
 public:
  explicit GateOff(InputGate* gate) : gate_(gate), was_(gate && gate->active) {
    if (gate_) gate_->active = false;
  }
  ~GateOff() {
    if (gate_) gate_->active = was_;
  }
  GateOff(const GateOff&) = delete;
  GateOff& operator=(const GateOff&) = delete;

 private:
  InputGate* gate_;
  bool was_;
};

// One mask of a filter as Qt patterns: "*.*" is every file, and each
// pattern also matches its other letter case, since files on this system
// may carry either.
QString Patterns(const QString& mask) {
  QStringList out;
  for (QString p : mask.split(QRegularExpression(QStringLiteral("[;, ]+")), Qt::SkipEmptyParts)) {
    if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
    for (const QString& v : {p, p.toLower(), p.toUpper()})
      if (!out.contains(v)) out << v;
  }
  return out.isEmpty() ? QStringLiteral("*") : out.join(QLatin1Char(' '));
}

// "name$mask$name$mask" as Qt name filters; `selected` is the one that holds
// the request's mask (put first when the filter text lacks it).
QStringList NameFilters(const std::string& filter, const std::string& mask, int& selected) {
  const QStringList parts = Q(filter).split(QLatin1Char('$'));
  QStringList filters;
  QStringList masks;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString name = parts[i].trimmed(), m = parts[i + 1].trimmed();
    if (m.isEmpty()) continue;
    filters << QStringLiteral("%1 (%2)").arg(name.isEmpty() ? m : name, Patterns(m));
    masks << m;
  }
  selected = 0;
  const QString wanted = Q(mask).trimmed();
  if (wanted.isEmpty()) return filters.isEmpty() ? QStringList{QStringLiteral("* (*)")} : filters;
  for (int i = 0; i < masks.size(); ++i)
    if (masks[i].compare(wanted, Qt::CaseInsensitive) == 0) {
      selected = i;
      return filters;
    }
  filters.prepend(QStringLiteral("%1 (%2)").arg(wanted, Patterns(wanted)));
  return filters;
}

struct CursorName {
  const char* name;
  Qt::CursorShape shape;
};

// The program's cursor resources by name ("Cursor" prefix dropped, any case).
constexpr CursorName kCursors[] = {
    {"wait", Qt::WaitCursor},      {"disk", Qt::BusyCursor},    {"displ", Qt::BusyCursor},
    {"fft", Qt::WaitCursor},       {"aqt", Qt::BusyCursor},     {"hist", Qt::WaitCursor},
    {"pretreg", Qt::CrossCursor},  {"matcomp", Qt::WaitCursor}, {"print", Qt::WaitCursor},
    {"matdispl", Qt::CrossCursor},
};

// QFont::Weight names the hundreds from 100 (Thin) to 900 (Black).
int HundredsWeight(int weight) { return (std::clamp(weight, 100, 900) + 50) / 100 * 100; }

}  // namespace

QtUi::QtUi() : gate_(std::make_unique<InputGate>()) {
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(gate_.get());
}

QtUi::~QtUi() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(gate_.get());
  delete wait_.data();
  while (cursorDepth_ > 0) SetCursor("");
}

bool QtUi::Czech() const { return program_ && program_->DG.Language != 0; }

QString QtUi::YesLabel() const { return Czech() ? QStringLiteral("&Ano") : QStringLiteral("&Yes"); }
QString QtUi::NoLabel() const { return Czech() ? QStringLiteral("&Ne") : QStringLiteral("&No"); }
QString QtUi::CancelLabel() const { return Czech() ? QStringLiteral("Zrušit") : QStringLiteral("Cancel"); }

void QtUi::Message(std::string_view text, std::string_view title) {
  GateOff off(gate_.get());
  QMessageBox box(QMessageBox::Information, Q(title), Q(text), QMessageBox::Ok, parent_);
  box.exec();
}

platform::Answer QtUi::Ask(std::string_view text, std::string_view title, bool withCancel) {
  GateOff off(gate_.get());
  QMessageBox box(QMessageBox::Question, Q(title), Q(text), QMessageBox::NoButton, parent_);
  QPushButton* yes = box.addButton(YesLabel(), QMessageBox::YesRole);
  QPushButton* no = box.addButton(NoLabel(), QMessageBox::NoRole);
  yes->setObjectName(QStringLiteral("yes"));
  no->setObjectName(QStringLiteral("no"));
  QPushButton* cancel = nullptr;
  if (withCancel) {
    cancel = box.addButton(CancelLabel(), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancel"));
  }
  box.setDefaultButton(yes);
  // Esc or closing the box is the safe answer: Cancel, or No without one.
  box.setEscapeButton(cancel ? cancel : no);
  box.exec();
  if (box.clickedButton() == yes) return platform::Answer::Yes;
  if (withCancel && box.clickedButton() != no) return platform::Answer::Cancel;
  return platform::Answer::No;
}

platform::Answer QtUi::AskYesNo(std::string_view text, std::string_view title) {
  return Ask(text, title, false);
}

platform::Answer QtUi::AskYesNoCancel(std::string_view text, std::string_view title) {
  return Ask(text, title, true);
}

std::optional<double> QtUi::PromptFloat(std::string_view title, double min, double max, double initial) {
  int scrollMin = 0, scrollMax = 0;
  app::DefaultScrollRange(app::ValueKind::Float, min, max, scrollMin, scrollMax);
  GateOff off(gate_.get());
  ValueDialog dialog(parent_,
                     app::ValuePrompt(app::ValueKind::Float, min, max, initial, scrollMin, scrollMax),
                     Q(title), program_ ? Q(state::Txt(*program_, 1143)) : QStringLiteral("Tarvelin"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // The dialog works in float32; the caller's own bounds still hold.
  double v = dialog.Result();
  if (!(v >= min)) v = min;
  if (v > max) v = max;
  return v;
}

std::optional<int64_t> QtUi::PromptInt(std::string_view title, int64_t min, int64_t max, int64_t initial) {
  const app::ValueKind kind =
      min >= INT16_MIN && max <= INT16_MAX ? app::ValueKind::Int16 : app::ValueKind::Int32;
  int scrollMin = 0, scrollMax = 0;
  app::DefaultScrollRange(kind, double(min), double(max), scrollMin, scrollMax);
  GateOff off(gate_.get());
  ValueDialog dialog(parent_,
                     app::ValuePrompt(kind, double(min), double(max), double(initial), scrollMin, scrollMax),
                     Q(title), program_ ? Q(state::Txt(*program_, 1143)) : QStringLiteral("Tarvelin"));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // The dialog holds at most int32; bounds beyond it are applied here.
  int64_t v = int64_t(dialog.Result());
  if (v > max) v = max;
  if (v < min) v = min;
  return v;
}

std::optional<std::string> QtUi::ChooseFile(const platform::FileDialogRequest& request) {
  QString folder = Q(request.folder).replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::currentPath();
  GateOff off(gate_.get());
  QFileDialog dialog(parent_, Q(request.title), folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The program asks before it writes over a file (in its language, and
  // not when a macro saves); a save dialog also picks a macro to edit.
  // A second question from the dialog would only be in the way.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  int selected = 0;
  const QStringList filters = NameFilters(request.filter, request.mask, selected);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.value(selected));
  // A saved file gets the mask's extension when the user typed none.
  static const QRegularExpression kSimpleMask(QStringLiteral("^\\*\\.([A-Za-z0-9_]+)$"));
  if (auto m = kSimpleMask.match(Q(request.mask).trimmed()); request.save && m.hasMatch())
    dialog.setDefaultSuffix(m.captured(1));
  if (!request.name.empty()) dialog.selectFile(Q(request.name).replace(QLatin1Char('\\'), QLatin1Char('/')));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
  return QFileInfo(files.first()).absoluteFilePath().toStdString();
}

bool QtUi::EditComment(std::string& text, std::string_view title) {
  CommentLabels labels;
  QString initText = title == "M" ? QStringLiteral("Measured data") : QStringLiteral("Waveform");
  if (program_) {
    labels.ok = Q(state::Txt(*program_, 8));
    labels.init = Q(state::Txt(*program_, 7));
    labels.cancel = Q(state::Txt(*program_, 9));
    initText = Q(title == "M" ? state::Txt(*program_, 311) : state::Txt(*program_, 310));
  }
  QString caption = Q(title);
  if (caption.isEmpty() || title == "W" || title == "M")
    caption = (Czech() ? QStringLiteral("Komentář") : QStringLiteral("Comment")) +
              (caption.isEmpty() ? QString() : QStringLiteral(" ") + caption);
  GateOff off(gate_.get());
  CommentWindow window(parent_, Q(text), caption, initText, labels);
  if (window.exec() != QDialog::Accepted) return false;
  text = window.Comment().toStdString();
  return true;
}

void QtUi::LongMessage(std::string_view text, std::string_view title) {
  const QString close = program_ ? Q(state::Txt(*program_, 9)) : QStringLiteral("Close");
  auto* window = new LongMessageWindow(parent_, Q(text), Q(title), close);
  window->show();
}

WaitWindow* QtUi::Wait() const { return wait_.data(); }

void QtUi::ShowWait(std::string_view text) {
  if (wait_) {
    wait_->SetText(Q(text));
  } else {
    const std::string format = program_ ? state::Txt(*program_, 437) : std::string("%d %% : ");
    wait_ = new WaitWindow(parent_, format, Q(text));
    wait_->show();
  }
  gate_->stop = wait_->StopButton();
  Pump(true);
}

void QtUi::WaitProgress(int percent) {
  if (!wait_) return;
  wait_->UserMessage(WaitWindow::kPercent, percent);
  Pump(false);
}

void QtUi::HideWait() {
  if (!wait_) return;
  gate_->stop = nullptr;
  wait_->UserMessage(WaitWindow::kClose, 0);
  wait_->deleteLater();
  wait_ = nullptr;
}

std::optional<uint32_t> QtUi::ChooseColor(uint32_t initial) {
  GateOff off(gate_.get());
  ColourDialog dialog(parent_, initial, 1, Czech() ? QStringLiteral("Barva") : QStringLiteral("Colour"),
                      CancelLabel());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Colour();
}

std::optional<platform::Font> QtUi::ChooseFont(const platform::Font& initial, std::string_view title) {
  double dpi = parent_ ? parent_->logicalDpiY() : 0.0;
  if (!(dpi > 0) && QGuiApplication::primaryScreen())
    dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  if (!(dpi > 0)) dpi = 96.0;
  QFont font(Q(initial.face));
  font.setPointSizeF(std::clamp(initial.height, 1, 10000) * 72.0 / dpi);
  font.setWeight(QFont::Weight(HundredsWeight(initial.weight)));
  GateOff off(gate_.get());
  QFontDialog dialog(font, parent_);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  dialog.setWindowTitle(Q(title));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QFont chosen = dialog.selectedFont();
  platform::Font result = initial;
  result.face = chosen.family().toStdString();
  result.weight = HundredsWeight(chosen.weight());
  const double pixels = chosen.pixelSize() > 0 ? chosen.pixelSize() : chosen.pointSizeF() * dpi / 72.0;
  // A font without a size (point size -1) keeps the height it had.
  if (pixels >= 0.5) result.height = int(std::lround(std::min(pixels, 10000.0)));
  return result;
}

void QtUi::SetCursor(std::string_view name) {
  QString n = Q(name).trimmed().toLower();
  if (n.startsWith(QStringLiteral("cursor"))) n.remove(0, 6);
  if (n.isEmpty() || n == QStringLiteral("trv") || n == QStringLiteral("arrow")) {
    if (cursorDepth_ == 0) return;
    --cursorDepth_;
    QGuiApplication::restoreOverrideCursor();
    return;
  }
  Qt::CursorShape shape = Qt::WaitCursor;
  for (const CursorName& c : kCursors)
    if (n == QLatin1String(c.name)) shape = c.shape;
  ++cursorDepth_;
  QGuiApplication::setOverrideCursor(QCursor(shape));
}

void QtUi::Beep() { QApplication::beep(); }

void QtUi::Pump(bool force) {
  if (gate_->active || !QCoreApplication::instance()) return;  // already pumping further up
  if (!force && lastPump_.isValid() && lastPump_.elapsed() < kPumpIntervalMs) return;
  gate_->active = true;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  gate_->active = false;
  lastPump_.start();
}

bool QtUi::InputPending() {
  Pump(false);
  const bool pending = gate_->input;
  gate_->input = false;
  // A loop waiting for the input to end acts on no key that came before.
  gate_->keys.clear();
  return pending;
}

bool QtUi::EscapePressed() {
  Pump(false);
  const bool escape = gate_->escape;
  gate_->escape = false;
  gate_->keys.clear();  // the loop asked for Esc only: what came before is spent
  return escape;
}

int QtUi::TakeKey() {
  Pump(false);
  if (gate_->keys.empty()) return 0;
  const int key = gate_->keys.front();
  gate_->keys.pop_front();
  if (key == 27 || key == 19) gate_->escape = false;  // taken as a key, not asked again
  return key;
}

}  // namespace qt
