// The whole desktop program started in an empty folder, driven only through its widgets while its
// own event loop runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTimer>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "QtTestSupport.h"
#include "app/MainPanel.h"
#include "qt/DesktopRunner.h"
#include "qt/GraphWidget.h"
#include "qt/HotKeyDialog.h"
#include "qt/MainWidget.h"
#include "qt/MatrixWindow.h"
#include "qt/QtWindowHost.h"
#include "state/GraphWindows.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "state/StoreAccess.h"
#include "store/FixedText.h"
#include "support/TestSupport.h"

namespace {

using qt_test::Child;
using qt_test::Click;
using qt_test::RunUntil;
using testing_support::FileExists;

void RunFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  RunUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

// Answers the modal dialogs in the order expected; one nobody expected is noted and closed, so that
// a fault fails the test instead of hanging it.
class ModalScript {
 public:
  using Step = std::function<void(QWidget*)>;

  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  void Expect(Step step) { steps_.push_back(std::move(step)); }
  bool Done() const { return steps_.empty(); }
  // Titles of every modal window met, and of those nobody expected.
  std::vector<std::string> seen, unexpected;

 private:
  void Poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return;
    if (w == last_) {
      if (since_.elapsed() > kStuckMs) {
        unexpected.push_back("still open: " + seen.back());
        w->close();
        since_.start();
      }
      return;
    }
    last_ = w;
    since_.start();
    std::string title = w->windowTitle().toStdString();
    if (auto* box = qobject_cast<QMessageBox*>(w)) title += ": " + box->text().toStdString();
    seen.push_back(title);
    if (steps_.empty()) {
      unexpected.push_back(seen.back());
      w->close();
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    // Outside the poll: a step may open a modal window of its own, which the poll must see.
    QPointer<QWidget> open(w);
    QTimer::singleShot(0, [open, step] {
      if (!open) return;
      step(open);
      // A step that failed may have left its dialog open.
      if (open && open->isVisible() && ::testing::Test::HasFailure()) open->close();
    });
  }

  static constexpr int kStuckMs = 8000;
  QTimer timer_;
  QPointer<QWidget> last_;
  QElapsedTimer since_;
  std::deque<Step> steps_;
};

// Types the file's name into a file dialog and presses its button.
void TypeFile(QFileDialog* dialog, const std::string& file) {
  if (auto* name = Child<QLineEdit>(dialog, "fileNameEdit")) name->setText(QString::fromStdString(file));
  static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own is protected
}

// The samples of a store's active channels, one after another.
std::vector<float> StoreData(const state::Program& p, int store) {
  const store::Header_s& h = store ? p.HGW : p.HGB;
  const int32_t length = h.Length;
  std::vector<float> out;
  for (int ch = 0; ch < store::kChannels; ++ch) {
    if (!h.ChannelOn[ch]) continue;
    const float* first =
        p.Samples(store::StoreFromFlag(store)) + state::Pocatek(p, store::StoreFromFlag(store), ch);
    out.insert(out.end(), first, first + length);
  }
  return out;
}

struct DesktopFlow : ::testing::Test {
  testing_support::TempDir root;
  std::unique_ptr<qt::Desktop> desktop;
  ModalScript modals;
  int closed = 0;

  void SetUp() override {
    app::HeadlessOptions o;
    o.root = root.path();
    desktop = std::make_unique<qt::Desktop>(o);
    ASSERT_TRUE(desktop->Start());
    Window().SetClosedHandler([this] { ++closed; });
    // The first tick loads the demonstration and opens its windows.
    ASSERT_TRUE(RunUntil([this] { return Logic().KeysReady && Shown(1) > 0 && Shown(0) > 0; }));
  }
  void TearDown() override {
    EXPECT_TRUE(modals.unexpected.empty()) << "unexpected dialog: " << modals.unexpected.front();
    desktop.reset();
    QApplication::processEvents();
  }

  state::Program& P() { return desktop->Program(); }
  qt::MainWidget& Window() { return desktop->Window(); }
  app::TMainWindow& Logic() { return Window().Logic(); }

  // Graph windows of a store on screen.
  std::vector<QWidget*> Widgets(int store) {
    std::vector<QWidget*> out;
    for (int i = 0; i < store::kChannels; ++i)
      if (auto& w = P().Windows(store::StoreFromFlag(store))[i])
        if (QWidget* widget = desktop->Host().WidgetOf(*w); widget && widget->isVisible())
          out.push_back(widget);
    return out;
  }
  int Shown(int store) { return int(Widgets(store).size()); }
  graph::TDispl10& ModelOf(QWidget* w) { return *static_cast<qt::GraphWidget*>(w)->Model(); }
  QImage Picture(QWidget* w) { return static_cast<qt::GraphWidget*>(w)->Image().copy(); }

  // A key as the user types it: the program takes one key per tick.
  void Key(int qtKey) {
    ASSERT_TRUE(RunUntil([this] { return Logic().KeysReady != 0; }));
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(&Window(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(&Window(), &release);
  }
  // A click on the panel button that issues `command`.
  void PanelButton(int command) {
    for (const app::PanelButton& b : app::PanelButtons()) {
      if (b.command != command) continue;
      const QPoint at((b.left + b.right) / 2, (b.top + b.bottom) / 2);
      QWidget* panel = Window().Panel();
      for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(at), QPointF(panel->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &e);
      }
      return;
    }
    ADD_FAILURE() << "no panel button for command " << command;
  }
  // Chooses a menu item as a click on it would.
  void Menu(int id) {
    QAction* action = Window().Menu()->findChild<QAction*>(QStringLiteral("id%1").arg(id));
    ASSERT_NE(action, nullptr) << id;
    ASSERT_TRUE(action->isEnabled()) << id;
    action->trigger();
  }
};

TEST_F(DesktopFlow, F6AndTheQwButtonAcquireAWaveformThatTheWindowRepaints) {
  ASSERT_EQ(Shown(1), 1);
  const std::vector<float> demo = StoreData(P(), 1);
  RunFor(400);  // the first paints
  const QImage before = Picture(Widgets(1).front());
  Key(Qt::Key_F6);
  EXPECT_EQ(P().QW, 0) << "a single waveform by default";
  const std::vector<float> first = StoreData(P(), 1);
  EXPECT_NE(first, demo);
  ASSERT_TRUE(RunUntil([&] { return Shown(1) == 1 && Picture(Widgets(1).front()) != before; }))
      << "the waveform window shows the new data";

  // The panel's button does the same; a simulated run is noisy.
  RunFor(50);
  PanelButton(203);
  EXPECT_NE(StoreData(P(), 1), first);
  EXPECT_EQ(Shown(1), 1);
}

TEST_F(DesktopFlow, F2SavesTheWaveformF3ReadsItBackAndTransformsChangeTheWindows) {
  // A record length that is no power of two, from the AS dialog.
  modals.Expect([](QWidget* d) {
    if (auto* e = Child<QLineEdit>(d, "WLength")) e->setText("1000");
    Click(d, "ok");
  });
  Menu(307);
  Key(Qt::Key_F6);
  ASSERT_EQ(P().HGW.Length, 1000);
  const std::vector<float> saved = StoreData(P(), 1);
  const std::string file = root / "DATA/flow.w";

  // The comment of the record first, then the file.
  auto save = [&](const char* comment) {
    modals.Expect([comment](QWidget* d) {
      if (auto* field = Child<QPlainTextEdit>(d, "690")) field->setPlainText(comment);
      Click(d, "ok");
    });
    modals.Expect([&](QWidget* d) {
      auto* dialog = qobject_cast<QFileDialog*>(d);
      ASSERT_NE(dialog, nullptr) << d->windowTitle().toStdString();
      EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
      TypeFile(dialog, file);
    });
  };
  save("flow test");
  Key(Qt::Key_F2);
  ASSERT_TRUE(modals.Done());
  ASSERT_TRUE(FileExists(file)) << "saved: " << testing::PrintToString(modals.seen);
  const std::vector<uint8_t> bytes = testing_support::ReadBytes(file);

  // Saving over it asks once (the program, not the dialog too), and No
  // keeps the file.
  save("second");
  modals.Expect([](QWidget* d) { Click(d, "no"); });
  Key(Qt::Key_F2);
  ASSERT_TRUE(modals.Done());
  EXPECT_EQ(testing_support::ReadBytes(file), bytes);

  // Zero padding to a power of two from the menu; the window follows.
  modals.Expect([](QWidget* d) { Click(d, "yes"); });
  Menu(411);
  EXPECT_EQ(P().HGW.Length, 1024);
  EXPECT_TRUE(RunUntil([&] { return Shown(1) == 1 && ModelOf(Widgets(1).front()).NShown == 1024; }));

  // Decimation asks, then halves the record; the picture changes.
  RunFor(400);
  const QImage before = Picture(Widgets(1).front());
  modals.Expect([](QWidget* d) { Click(d, "yes"); });
  Menu(287);
  EXPECT_EQ(P().HGW.Length, 512);
  EXPECT_TRUE(RunUntil([&] {
    return Shown(1) == 1 && ModelOf(Widgets(1).front()).NShown == 512 &&
           Picture(Widgets(1).front()) != before;
  }));

  // Reading the file back restores what was saved, shown again.
  modals.Expect([&](QWidget* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    ASSERT_NE(dialog, nullptr) << d->windowTitle().toStdString();
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    TypeFile(dialog, file);
  });
  Key(Qt::Key_F3);
  ASSERT_TRUE(modals.Done());
  EXPECT_EQ(std::tuple(P().HGW.Length, StoreData(P(), 1)), std::tuple(1000, saved));
  EXPECT_EQ(store::FieldText(P().HGW.Comment), "flow test");
  EXPECT_TRUE(RunUntil([this] { return Shown(1) == 1 && ModelOf(Widgets(1).front()).NShown == 1000; }));
}

TEST_F(DesktopFlow, HotKeyDialogFromTheMenuPressesAKeyInTheChannelsWindow) {
  graph::TDispl10& m = ModelOf(Widgets(1).front());
  m.Own().VMax = 1e6f;
  m.Own().VMin = -1e6f;
  Menu(171);
  qt::HotKeyDialog* d = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* h = qobject_cast<qt::HotKeyDialog*>(w); h && h->isVisible()) d = h;
  ASSERT_NE(d, nullptr);
  Child<QSpinBox>(d, "channel")->setValue(m.OwnChan + 1);
  Click(d, "key_2049");  // F5: autoscale
  EXPECT_LT(m.Own().VMax, 1e5f);

  const std::string none = state::TxtF(P(), 668, {128});
  modals.Expect([none](QWidget* box) {
    EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text().toStdString(), none);
    box->close();
  });
  Child<QSpinBox>(d, "channel")->setValue(128);
  Click(d, "key_2049");
  EXPECT_TRUE(modals.Done());
}

TEST_F(DesktopFlow, CloseButtonAsksAndYesEndsTheProgram) {
  modals.Expect([](QWidget* d) {
    ASSERT_NE(qobject_cast<QMessageBox*>(d), nullptr);
    Click(d, "no");
  });
  EXPECT_FALSE(Window().close());
  ASSERT_TRUE(modals.Done());
  RunFor(450);
  EXPECT_TRUE(Window().isVisible()) << "No keeps the program";
  EXPECT_EQ(closed, 0);

  modals.Expect([](QWidget* d) { Click(d, "yes"); });
  Window().close();
  ASSERT_TRUE(RunUntil([this] { return closed == 1; }));
  EXPECT_EQ(Shown(1) + Shown(0), 0) << "the graph windows go with it";
  EXPECT_TRUE(FileExists(root / "JOB/WORK.JOB")) << "the work set is kept for the next start";
}

// The graph window used as an instrument: cursors placed by the mouse and the keys, a zoom to them
// and a marker, all through the widgets; the work job written at the exit keeps them.
TEST_F(DesktopFlow, CursorsZoomAndMarkerSetWithMouseAndKeysAreInTheSavedJob) {
  ASSERT_EQ(Shown(1), 1);
  QWidget* widget = Widgets(1).front();
  auto* graphWidget = static_cast<qt::GraphWidget*>(widget);
  graph::TDispl10& m = ModelOf(widget);
  const int chan = m.OwnChan;
  store::CG_s& g = P().CGW[size_t(chan)];
  RunFor(400);  // painted, and armed by its timer
  auto click = [&](Qt::MouseButton button, int x, int y) {
    const QPoint at(x, y + graphWidget->PictureTop());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button,
                    type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(widget, &e);
    }
    RunFor(350);  // a release disarms the window until its next tick
  };
  auto key = [&](int qtKey, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
  };
  const int y = m.PlotTop + m.PlotH / 2, x1 = m.PlotLeft + m.PlotW / 4, x2 = m.PlotLeft + 3 * m.PlotW / 4;
  click(Qt::LeftButton, x1, y);
  EXPECT_EQ(g.Cur1, m.MouseVertToGlobal(int16_t(x1)));
  click(Qt::RightButton, x2, y);
  EXPECT_EQ(g.Cur2, m.MouseVertToGlobal(int16_t(x2)));
  g.CursorStep = 2;
  const int32_t cur1 = g.Cur1 + 2, cur2 = g.Cur2;
  key(Qt::Key_Period, QStringLiteral("."));
  EXPECT_EQ(g.Cur1, cur1);
  g.HCur1 = g.VMax, g.HCur2 = g.VMin;  // a zoom needs two different horizontal lines
  key(Qt::Key_E, QStringLiteral("e"));
  EXPECT_EQ(g.IL, cur1);
  EXPECT_EQ(g.IR, cur2);

  modals.Expect([](QWidget* d) {
    Click(d, "pointCur1");
    Click(d, "labelCur2");
    Child<QLineEdit>(d, "text")->setText(QStringLiteral("peak"));
    Click(d, "ok");
  });
  key(Qt::Key_X, QStringLiteral("x"));
  ASSERT_TRUE(RunUntil([this] { return modals.Done(); }));

  modals.Expect([](QWidget* d) { Click(d, "yes"); });
  Window().close();
  ASSERT_TRUE(RunUntil([this] { return closed == 1; }));
  const std::vector<uint8_t> job = testing_support::ReadBytes(root / "JOB/WORK.JOB");
  const size_t graphs = sizeof(store::JG_s), markers = graphs + store::kChannels * 2 * sizeof(store::CG_s);
  ASSERT_GE(job.size(), markers + store::kChannels * 2 * 20 * sizeof(store::Marker_s));
  store::CG_s saved;
  std::memcpy(&saved, job.data() + graphs + size_t(chan) * 2 * sizeof(store::CG_s), sizeof saved);
  EXPECT_EQ(saved.Cur1, cur1);
  EXPECT_EQ(saved.Cur2, cur2);
  EXPECT_EQ(saved.IL, cur1);
  EXPECT_EQ(saved.IR, cur2);
  store::Marker_s marker;
  std::memcpy(&marker, job.data() + markers + size_t(chan) * 2 * 20 * sizeof(store::Marker_s), sizeof marker);
  EXPECT_EQ(marker.Index, cur1);
  EXPECT_EQ(marker.LabelIndex, cur2);
  EXPECT_STREQ(marker.Text, "peak");
}

}  // namespace

TEST_F(DesktopFlow, MatrixMenuShowsTheColourMapAndItsButtonsChangeIt) {
  store::Mat_s& m = P().Mat[0];
  m = {};
  m.Columns = 8, m.Rows = 6, m.LastColumn = 7, m.LastRow = 5, m.ValueMax = 48;
  P().Matrix.resize(48);
  for (int i = 0; i < 48; ++i) P().Matrix[size_t(i)] = float(i);
  Menu(319);
  ASSERT_TRUE(P().MatrixWin);
  auto* window = static_cast<qt::MatrixWindow*>(desktop->Host().WidgetOf(*P().MatrixWin));
  ASSERT_NE(window, nullptr);
  graph::TDispl2D& model = *window->Model();
  // The first element lies at the bottom left: black, and white when inverted.
  auto corner = [&] {
    const graph::TDispl2D::Rect& r = model.Plot();
    return window->Image().pixelColor(r.left + 1, r.top + r.height - 2);
  };
  ASSERT_TRUE(RunUntil([&] { return corner() == QColor(0, 0, 0); }));
  const QColor top = window->Image().pixelColor(model.Plot().left + 1, model.Plot().top + 1);
  EXPECT_EQ(top.red(), 255);
  EXPECT_EQ(window->Image().pixelColor(2, 40), QColor(255, 255, 255));
  qt_test::Click(window, QStringLiteral("button_160"));
  EXPECT_EQ(corner(), QColor(255, 255, 255));
  qt_test::Click(window, QStringLiteral("button_170"));
  EXPECT_EQ(window->Image().pixelColor(2, 40), QColor(192, 192, 192)) << "grey with the legend";
  EXPECT_TRUE(window->SavePicture(QString::fromStdString(root / "matrix.png")));
  EXPECT_FALSE(QImage(QString::fromStdString(root / "matrix.png")).isNull());
  ASSERT_TRUE(window->SavePicture(QString::fromStdString(root / "matrix.svg")));
  const std::vector<uint8_t> svg = testing_support::ReadBytes(root / "matrix.svg");
  EXPECT_NE(std::string(svg.begin(), svg.end()).find("<svg"), std::string::npos);
  qt_test::Click(window, QStringLiteral("button_150"));
  EXPECT_FALSE(P().MatrixWin);
}
