// QtUi through the seam, with its modal dialogs answered by a timer that
// finds them as the active modal widget.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <climits>
#include <functional>

#include "QtTestSupport.h"
#include "qt/ColourDialog.h"
#include "qt/LongMessageWindow.h"
#include "qt/QtUi.h"
#include "qt/TooltipWindow.h"
#include "qt/ValueDialog.h"
#include "qt/WaitWindow.h"
#include "state/Messages.h"
#include "support/TestSupport.h"

namespace {

using platform::Answer;

// Runs `act` on the modal dialog once it is up (it is opened after this call).
void OnModal(std::function<void(QWidget*)> act, int tries = 100) {
  QTimer::singleShot(tries == 100 ? 0 : 10, [act, tries] {
    if (QWidget* w = QApplication::activeModalWidget())
      act(w);
    else if (tries > 0)
      OnModal(act, tries - 1);
    else
      ADD_FAILURE() << "no modal dialog appeared";
  });
}

using qt_test::Click;

class QtUiTest : public ::testing::Test {
 protected:
  QtUiTest() { ui.SetProgram(&env.prog); }
  testing_support::TestEnv env{4096};
  qt::QtUi ui;
};

TEST_F(QtUiTest, PromptsClampTheTypedValueKeepTheBoundsAndCancelAnswersNothing) {
  OnModal([](QWidget* d) {
    d->findChild<QLineEdit*>("511")->setText("50000");
    Click(d, "1");
  });
  EXPECT_EQ(ui.PromptFloat("Frequency", 1.0, 10000.0, 100.0), std::optional<double>(10000.0));

  OnModal([](QWidget* d) {
    d->findChild<QLineEdit*>("511")->setText("42");
    Click(d, "2");
  });
  EXPECT_EQ(ui.PromptFloat("Frequency", 1.0, 10000.0, 100.0), std::nullopt);

  // A NaN start and a NaN typed never reach the caller.
  OnModal([](QWidget* d) {
    d->findChild<QLineEdit*>("511")->setText("nan");
    Click(d, "1");
  });
  std::optional<double> v = ui.PromptFloat("x", 2.0, 3.0, std::nan(""));
  ASSERT_TRUE(v);
  EXPECT_DOUBLE_EQ(*v, 2.0);

  // The integer prompt uses a small span as its bar and keeps the caller's bounds.
  OnModal([](QWidget* d) {
    auto* bar = d->findChild<QScrollBar*>("510");
    EXPECT_EQ(bar->maximum(), 127);
    bar->setValue(63);
    EXPECT_EQ(d->findChild<QLineEdit*>("511")->text(), "64");
    Click(d, "1");
  });
  EXPECT_EQ(ui.PromptInt("Channels", 1, 128, 1), std::optional<int64_t>(64));

  // Bounds beyond int32 still hold for the answer.
  OnModal([](QWidget* d) { Click(d, "1"); });
  std::optional<int64_t> big = ui.PromptInt("Big", int64_t(5) << 33, int64_t(6) << 33, int64_t(5) << 33);
  ASSERT_TRUE(big);
  EXPECT_GE(*big, int64_t(5) << 33);
  EXPECT_LE(*big, int64_t(6) << 33);
}

TEST_F(QtUiTest, QuestionsAnswerTheButtonClickedInTheInterfaceLanguage) {
  env.prog.DG.Language = 0;
  OnModal([](QWidget* d) {
    EXPECT_EQ(d->findChild<QPushButton*>("yes")->text(), "&Yes");
    EXPECT_EQ(d->findChild<QPushButton*>("cancel"), nullptr);
    Click(d, "no");
  });
  EXPECT_EQ(ui.AskYesNo("Stop?", "Question"), Answer::No);

  // Closing the box is the safe answer.
  OnModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  EXPECT_EQ(ui.AskYesNoCancel("Save?", "Question"), Answer::Cancel);
  OnModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  EXPECT_EQ(ui.AskYesNo("Stop?", "Question"), Answer::No);

  env.prog.DG.Language = 1;
  OnModal([](QWidget* d) {
    EXPECT_EQ(d->findChild<QPushButton*>("no")->text(), "&Ne");
    Click(d, "yes");
  });
  EXPECT_EQ(ui.AskYesNoCancel("Uložit?", "Otázka"), Answer::Yes);

  OnModal([](QWidget* d) {
    EXPECT_TRUE(static_cast<QMessageBox*>(d)->text().contains("went wrong"));
    static_cast<QDialog*>(d)->accept();
  });
  ui.Message("It went wrong", "Error");
}

TEST_F(QtUiTest, CommentIsCutTo299CharactersAndFitsTheField) {
  std::string text(350, 'x');
  OnModal([](QWidget* d) {
    EXPECT_EQ(d->findChild<QPlainTextEdit*>("690")->toPlainText().size(), 300);
    Click(d, "ok");
  });
  ASSERT_TRUE(ui.EditComment(text, "W"));
  EXPECT_EQ(text, std::string(299, 'x'));

  // Two bytes a character: 149 characters fill the 300-byte field with its end.
  std::string czech;
  for (int i = 0; i < 200; ++i) czech += "ř";
  OnModal([](QWidget* d) { Click(d, "ok"); });
  ASSERT_TRUE(ui.EditComment(czech, ""));
  EXPECT_EQ(czech.size(), 298u);

  std::string kept = "old";
  OnModal([](QWidget* d) {
    d->findChild<QPlainTextEdit*>("690")->setPlainText("new");
    Click(d, "cancel");
  });
  EXPECT_FALSE(ui.EditComment(kept, "W"));
  EXPECT_EQ(kept, "old");

  // Init. of the measurement store's window.
  OnModal([](QWidget* d) {
    Click(d, "init");
    Click(d, "ok");
  });
  ASSERT_TRUE(ui.EditComment(kept, "M"));
  EXPECT_EQ(kept, state::Txt(env.prog, 311));
}

TEST_F(QtUiTest, WaitWindowShowsThePercentageAndCloses) {
  ui.ShowWait("Saving");
  qt::WaitWindow* w = ui.Wait();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->BarShown());
  ui.WaitProgress(5);
  EXPECT_TRUE(w->BarShown());
  EXPECT_EQ(w->Percent(), "05%");
  EXPECT_EQ(w->Line(), QString::fromStdString(state::TxtF(env.prog, 437, {5}) + "Saving"));
  ui.ShowWait("Reading");  // the same window, a new text
  EXPECT_EQ(ui.Wait(), w);
  EXPECT_EQ(w->Line(), "Reading");
  ui.HideWait();
  EXPECT_EQ(ui.Wait(), nullptr);
  ui.WaitProgress(50);  // no window: nothing happens
  ui.HideWait();
}

TEST_F(QtUiTest, ColourDialogAnswers0x00BBGGRR) {
  OnModal([](QWidget* d) {
    auto bar = [d](const char* n) { return d->findChild<QScrollBar*>(n); };
    EXPECT_EQ(bar("red")->value(), 0x56);
    EXPECT_EQ(bar("blue")->value(), 0x12);
    bar("red")->setValue(255);
    bar("blue")->setValue(1);
    bar("coefficient")->setValue(10);
    EXPECT_EQ(static_cast<qt::ColourDialog*>(d)->CoefficientLine(),
              QString::fromUtf8("Vertikální roztažení stupnice : 10"));
    Click(d, "ok");
  });
  EXPECT_EQ(ui.ChooseColor(0x123456), std::optional<uint32_t>(0x0134FF));

  OnModal([](QWidget* d) {
    d->findChild<QScrollBar*>("green")->setValue(0);
    Click(d, "init");  // back to the colour given
    EXPECT_EQ(static_cast<qt::ColourDialog*>(d)->Colour(), 0x123456u);
    Click(d, "cancel");
  });
  EXPECT_EQ(ui.ChooseColor(0x123456), std::nullopt);
}

TEST_F(QtUiTest, FontDialogAnswersFaceWeightAndPixelHeight) {
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  // A family with a bold style, so that the weight chosen can be told apart.
  QString family;
  for (const QString& f : QFontDatabase::families())
    if (QFontDatabase::styles(f).contains(QStringLiteral("Bold")) && QFontDatabase::isScalable(f)) {
      family = f;
      break;
    }
  if (family.isEmpty()) GTEST_SKIP() << "no scalable font with a bold style";

  platform::Font initial;
  initial.face = family.toStdString();
  initial.height = 16;
  initial.weight = 400;
  initial.width = 9;
  initial.angleTenths = 900;
  OnModal([&](QWidget* d) {
    auto* dialog = qobject_cast<QFontDialog*>(d);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->currentFont().family(), family);
    EXPECT_NEAR(dialog->currentFont().pointSizeF(), 16 * 72.0 / dpi, 0.25);
    QFont bold(family);
    bold.setPointSizeF(18 * 72.0 / dpi * 2);  // 36 pixels
    bold.setWeight(QFont::Bold);
    dialog->setCurrentFont(bold);
    dialog->accept();
  });
  std::optional<platform::Font> chosen = ui.ChooseFont(initial, "Scale font");
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->face, family.toStdString());
  EXPECT_EQ(chosen->weight, 700);
  EXPECT_NEAR(chosen->height, 36, 1);
  EXPECT_EQ(chosen->width, 9);  // the cell width and angle are not the dialog's
  EXPECT_EQ(chosen->angleTenths, 900);

  // A weight between the named ones starts the dialog at the nearest; cancel answers nothing.
  initial.weight = 740;
  OnModal([&](QWidget* d) {
    EXPECT_EQ(static_cast<QFontDialog*>(d)->currentFont().weight(), QFont::Bold);
    static_cast<QDialog*>(d)->reject();
  });
  EXPECT_EQ(ui.ChooseFont(initial, "Scale font"), std::nullopt);
  // Values no font has still open the dialog.
  initial.weight = INT_MAX;
  initial.height = INT_MIN;
  OnModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  EXPECT_EQ(ui.ChooseFont(initial, "Scale font"), std::nullopt);
}

TEST_F(QtUiTest, FileDialogTakesTheDollarFilterFolderAndName) {
  testing_support::WriteText(env.dir / "a.w", "x");
  platform::FileDialogRequest r;
  r.title = "Open waveform";
  r.filter = "Waveform files$*.W$All files$*.*";
  r.folder = env.dir.path();
  r.mask = "*.W";
  OnModal([&](QWidget* d) {
    auto* f = static_cast<QFileDialog*>(d);
    EXPECT_EQ(f->nameFilters(), (QStringList{"Waveform files (*.W *.w)", "All files (*)"}));
    EXPECT_EQ(QDir(f->directory()).canonicalPath(),
              QDir(QString::fromStdString(env.dir.path())).canonicalPath());
    f->selectFile(QString::fromStdString(env.dir / "a.w"));
    static_cast<QDialog*>(f)->accept();
  });
  std::optional<std::string> chosen = ui.ChooseFile(r);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QDir(QString::fromStdString(*chosen)).canonicalPath(),
            QDir(QString::fromStdString(env.dir / "a.w")).canonicalPath());

  // Saving: the initial name gets the mask's extension; a mask missing from
  // the filter is offered first.
  r.save = true;
  r.name = "new";
  r.mask = "*.WTX";
  OnModal([](QWidget* d) {
    auto* f = static_cast<QFileDialog*>(d);
    EXPECT_EQ(f->nameFilters().value(0), "*.WTX (*.WTX *.wtx)");
    static_cast<QDialog*>(f)->accept();
  });
  chosen = ui.ChooseFile(r);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QFileInfo(QString::fromStdString(*chosen)).fileName(), "new.WTX");

  OnModal([](QWidget* d) { static_cast<QDialog*>(d)->reject(); });
  EXPECT_EQ(ui.ChooseFile(r), std::nullopt);
}

TEST_F(QtUiTest, LoopQueriesSwallowInputRememberEscapeAndHoldBackTimers) {
  QLineEdit edit;
  edit.show();
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(0);

  QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
  EXPECT_TRUE(ui.InputPending());
  EXPECT_FALSE(ui.EscapePressed());  // within the pump interval: nothing new
  EXPECT_TRUE(edit.text().isEmpty());
  EXPECT_EQ(ticks, 0);  // the program's timers did not run inside the loop

  QThread::msleep(30);
  QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  EXPECT_TRUE(ui.EscapePressed());
  EXPECT_FALSE(ui.EscapePressed());  // answered once
  EXPECT_EQ(ticks, 0);

  // Outside the queries everything flows again, the held-back tick included.
  QCoreApplication::processEvents();
  EXPECT_GT(ticks, 0);
  QKeyEvent b(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
  QCoreApplication::sendEvent(&edit, &b);
  EXPECT_EQ(edit.text(), "b");
}

TEST(MessageWindows, LongMessageIsReadOnlyCutAndClosesItself) {
  auto* w = new qt::LongMessageWindow(nullptr, QString(2500, 'y'), "Help", "Close");
  QPointer<qt::LongMessageWindow> alive(w);
  w->show();
  EXPECT_EQ(w->Text().size(), 2000);
  EXPECT_TRUE(w->findChild<QPlainTextEdit*>("690")->isReadOnly());
  w->findChild<QPushButton*>("close")->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
}

using app::ValueKind;
using app::ValuePrompt;

struct Opened {
  explicit Opened(const ValuePrompt& prompt) : dialog(nullptr, prompt, "Frequency", "Tarvelin") {
    dialog.show();
    field = dialog.findChild<QLineEdit*>("511");
    bar = dialog.findChild<QScrollBar*>("510");
  }
  QPushButton* Button(const char* control) { return dialog.findChild<QPushButton*>(control); }

  qt::ValueDialog dialog;
  QLineEdit* field = nullptr;
  QScrollBar* bar = nullptr;
};

TEST(ValueDialog, ControlsFollowTheValueWhicheverWayItChanges) {
  Opened o(ValuePrompt(ValueKind::Float, 1.0, 10000.0, 100.0, 0, 10000));
  ASSERT_TRUE(o.field && o.bar);
  for (const char* c : {"513", "512", "500", "1", "2"}) ASSERT_TRUE(o.Button(c)) << c;
  EXPECT_EQ(o.field->maxLength(), 10);
  EXPECT_EQ(o.bar->value(), 99);

  o.bar->setValue(10000);
  EXPECT_DOUBLE_EQ(o.dialog.Prompt().Value(), 10000.0);
  EXPECT_EQ(o.field->text(), "10000.00");

  o.field->setText("2500");         // typing moves the bar, the field keeps what was typed
  EXPECT_EQ(o.bar->value(), 2499);  // (2500 - 1) / 0.9999, rounded
  EXPECT_EQ(o.field->text(), "2500");

  o.Button("513")->click();
  EXPECT_EQ(o.bar->value(), 0);
  o.Button("512")->click();
  EXPECT_EQ(o.field->text(), "10000.00");
  o.Button("500")->click();
  EXPECT_DOUBLE_EQ(o.dialog.Prompt().Value(), 100.0);
}

}  // namespace
