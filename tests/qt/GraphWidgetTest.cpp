#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <cmath>

#include "QtTestSupport.h"
#include "graph/GraphTestSupport.h"
#include "qt/GraphWidget.h"
#include "qt/QtWindowHost.h"

namespace {

constexpr uint32_t kTrace = 0x00FF00;  // green in the records' order
const int32_t kRect[4] = {100, 80, 700, 480};

using qt_test::RunEvents;

// A program with a sine of amplitude 1000 in waveform channel 1, drawn as
// a plain line: no cursors, bars or markers over the trace.
struct SineWindow {
  SineWindow() {
    std::vector<float> sine(1000);
    for (size_t i = 0; i < sine.size(); ++i) sine[i] = float(1000.0 * std::sin(2 * M_PI * double(i) / 100.0));
    f.Store(sine);
    store::CG_s& g = f.G();
    g.IL = 0;
    g.IR = 299;
    g.DisplType = 2;
    g.CursorCount = 0;
    g.InfoBar = 0;
    g.Raster = 0;
    g.ShowMarkers = 0;
    g.TraceStyle = 1;
    g.PenWidth = 0;
    g.WhiteMode = 0;
    g.ClearPlot = 1;
    g.Multi = 0;
    f.p.Col_.get()->TraceColor[0] = kTrace;
    f.p.Col_.get()->Background[0] = 0;
    model = f.Open(0, kRect);
  }
  graph_test::GraphFixture f{4096};
  std::unique_ptr<graph::TDispl10> model;
};

// Every drawn sample lies on a trace-coloured pixel (±1) where the model's
// transforms place it, and the trace is not smeared across the plot.
void ExpectTraceWhereTheModelPutsIt(const QImage& image, graph::TDispl10& w) {
  const store::CG_s& g = w.Own();
  const QRgb trace = qt::QtCanvas::ToQRgb(kTrace) & 0xFFFFFF;
  auto traceNear = [&](int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int px = x + dx, py = y + dy;
        if (image.valid(px, py) && (image.pixel(px, py) & 0xFFFFFF) == trace) return true;
      }
    return false;
  };
  ASSERT_GT(w.SPP, 0.0f);
  int checked = 0, peaks = 0;
  for (int32_t i = g.IL; i < g.IR; ++i) {  // the line leaves out its last point
    const float v = w.Series()[i];
    const int x = w.PlotLeft + int((i - g.IL) / double(w.SPP));
    const int y = w.ClampedGlobalHorizToMouse(v, int16_t(x));
    ASSERT_TRUE(traceNear(x, y)) << "sample " << i << " at " << x << "," << y;
    ++checked;
    if (std::fabs(v) > 900) {
      EXPECT_FALSE(traceNear(x, w.ClampedGlobalHorizToMouse(-v, int16_t(x)))) << "sample " << i;
      ++peaks;
    }
  }
  EXPECT_EQ(checked, 299);
  EXPECT_GT(peaks, 10);
}

TEST(GraphWidget, ShowsTheSineWhereTheModelsTransformsPutIt) {
  SineWindow s;
  qt::QtWindowHost host;
  host.Show(*s.model);
  auto* widget = static_cast<qt::GraphWidget*>(host.WidgetOf(*s.model));
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->isWindow());
  EXPECT_EQ(widget->windowTitle().toStdString(), s.model->Caption());
  EXPECT_EQ(widget->Image().pixel(300, 200), qRgb(192, 192, 192));  // not painted yet
  RunEvents();  // the first paint comes from the event loop

  const QImage& image = widget->Image();
  ASSERT_EQ(image.size(), QSize(600, 400));
  EXPECT_EQ(s.model->ClientW, 600);
  EXPECT_EQ(s.model->ClientH, 400);
  ExpectTraceWhereTheModelPutsIt(image, *s.model);

  // The benchmark entry draws the same picture.
  QImage rendered(600, 400, QImage::Format_RGB32);
  qt::RenderGraph(*s.model, rendered);
  EXPECT_EQ(rendered, widget->Image());
  host.Close(*s.model);
  RunEvents();
}

TEST(GraphWidget, OpensAtTheStoredRectangleAndTheRecordFollowsMovesAndSizes) {
  SineWindow s;
  qt::QtWindowHost host;
  host.Show(*s.model);
  QWidget* widget = host.WidgetOf(*s.model);
  RunEvents();
  const int menu = static_cast<qt::GraphWidget*>(widget)->PictureTop();
  EXPECT_GT(menu, 10);  // the window menu sits above the picture
  EXPECT_EQ(widget->pos(), QPoint(100, 80));
  EXPECT_EQ(widget->size(), QSize(600, 400 + menu));

  widget->move(150, 90);
  RunEvents();
  const int32_t moved[4] = {150, 90, 750, 490};
  EXPECT_TRUE(std::equal(moved, moved + 4, s.model->WindowRect()));
  EXPECT_TRUE(std::equal(moved, moved + 4, s.f.G().WinRect));

  widget->resize(500, 300 + menu);
  RunEvents();
  EXPECT_EQ(s.model->ClientW, 500);
  EXPECT_EQ(s.model->ClientH, 300);
  const int32_t sized[4] = {150, 90, 650, 390};
  EXPECT_TRUE(std::equal(sized, sized + 4, s.f.G().WinRect));
  ExpectTraceWhereTheModelPutsIt(static_cast<qt::GraphWidget*>(widget)->Image(), *s.model);
  host.Close(*s.model);
  RunEvents();
}

class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

TEST(GraphWidget, ClosingDeletesTheWidgetDirectlyOrThroughTheProgramsTables) {
  SineWindow s;
  qt::QtWindowHost host;
  host.Show(*s.model);
  QPointer<QWidget> widget = host.WidgetOf(*s.model);
  RunEvents();
  host.Post(*s.model, 2000, 0);
  host.Close(*s.model);
  EXPECT_EQ(host.WidgetOf(*s.model), nullptr);
  RunEvents();
  EXPECT_TRUE(widget.isNull());
  // The model draws on its own surface again: a message after the close
  // must not reach the deleted widget's image.
  s.model->UserMessage(2000, 0);
  s.model->Paint();

  // The close button closes through the program's tables.
  qt::QtWindowHost host2;
  s.f.p.plat.windows = &host2;
  s.f.p.QWWin[0] = std::move(s.model);
  platform::GraphWindow* window = s.f.p.QWWin[0].get();
  host2.Show(*window);
  host2.SetCloseHandler([&](platform::GraphWindow& w) { qt::CloseGraphWindow(s.f.p, w); });
  widget = host2.WidgetOf(*window);
  RunEvents();
  widget->close();
  EXPECT_EQ(s.f.p.QWWin[0], nullptr);
  EXPECT_EQ(host2.ShownCount(), 0u);
  RunEvents();
  EXPECT_TRUE(widget.isNull());
}

TEST(GraphWidget, KeysReachTheModelAndAKeyAfterDetachIsHarmless) {
  SineWindow s;
  auto widget = std::make_unique<qt::GraphWidget>(*s.model);
  widget->PlaceAt(kRect);
  widget->show();
  RunEvents();
  // Left moves the view towards later samples.
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QCoreApplication::sendEvent(widget.get(), &left);
  EXPECT_TRUE(left.isAccepted());
  EXPECT_GT(s.f.G().IL, 0);
  ExpectTraceWhereTheModelPutsIt(widget->Image(), *s.model);

  QKeyEvent unknown(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier);
  QCoreApplication::sendEvent(widget.get(), &unknown);
  EXPECT_FALSE(unknown.isAccepted());  // no virtual key: left to Qt
  const int32_t il = s.f.G().IL;
  widget->Detach();
  QKeyEvent again(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QCoreApplication::sendEvent(widget.get(), &again);
  RunEvents();
  EXPECT_EQ(s.f.G().IL, il);
  EXPECT_EQ(widget->Model(), nullptr);
}

}  // namespace

namespace {

void Send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

void Key(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers m = Qt::NoModifier,
         bool repeat = false) {
  QKeyEvent e(type, key, m, QString(), repeat);
  QCoreApplication::sendEvent(w, &e);
}

TEST(GraphWidget, WindowMenuRunsItsItemOnTheModel) {
  SineWindow s;
  s.f.G().VMax = 5000;
  s.f.G().VMin = -5000;
  qt::GraphWidget widget(*s.model);
  widget.PlaceAt(kRect);
  widget.show();
  RunEvents();
  EXPECT_EQ(s.model->ClientH, 400);
  auto* autoscale = widget.findChild<QAction*>(QStringLiteral("menu_331"));
  ASSERT_NE(autoscale, nullptr);
  autoscale->trigger();
  EXPECT_LT(s.f.G().VMax, 1100.0f);
  EXPECT_GT(s.f.G().VMin, -1100.0f);
  EXPECT_FALSE(s.model->MenuCommand(337));
  widget.Detach();
}

TEST(GraphWidget, MouseAndKeysReachTheModelInPicturePixels) {
  SineWindow s;
  s.f.G().CursorCount = 2;
  qt::GraphWidget widget(*s.model);
  widget.PlaceAt(kRect);
  widget.show();
  RunEvents();
  graph::TDispl10& m = *s.model;
  const QPoint below(0, widget.PictureTop());
  const int y = m.PlotTop + m.PlotH / 2;
  auto click = [&](int x, Qt::MouseButton b) {
    m.Timer();  // a release disarms the window until its next tick
    Send(&widget, QEvent::MouseButtonPress, QPoint(x, y) + below, b, b);
    Send(&widget, QEvent::MouseButtonRelease, QPoint(x, y) + below, b, Qt::NoButton);
  };
  const int x1 = m.PlotLeft + 100, x2 = m.PlotLeft + 400;
  click(x1, Qt::LeftButton);
  click(x2, Qt::RightButton);
  EXPECT_EQ(s.f.G().Cur1, m.MouseVertToGlobal(int16_t(x1)));
  EXPECT_EQ(s.f.G().Cur2, m.MouseVertToGlobal(int16_t(x2)));

  // Dragging with the left button held: cursor 1 follows; dragged back, the
  // picture is the one it was, byte for byte (the cursor is exclusive-or drawn).
  const QImage before = widget.Image().copy();
  m.Timer();  // its scale refresh must leave the cursors as they were
  Send(&widget, QEvent::MouseButtonPress, QPoint(x1, y) + below, Qt::LeftButton, Qt::LeftButton);
  Send(&widget, QEvent::MouseMove, QPoint(x1 + 150, y) + below, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(s.f.G().Cur1, m.MouseVertToGlobal(int16_t(x1 + 150)));
  EXPECT_NE(widget.Image(), before);
  Send(&widget, QEvent::MouseMove, QPoint(x1, y) + below, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(widget.Image(), before);
  Send(&widget, QEvent::MouseMove, QPoint(x1 + 150, y) + below, Qt::NoButton, Qt::LeftButton);
  Send(&widget, QEvent::MouseButtonRelease, QPoint(x1 + 150, y) + below, Qt::LeftButton, Qt::NoButton);

  // A held key repeats its press; only the real release ends the growing steps.
  for (int i = 0; i < 3; ++i) {
    Key(&widget, QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, i > 0);
    Key(&widget, QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, true);
  }
  EXPECT_LT(m.Div, 50);
  Key(&widget, QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_EQ(m.Div, 50);

  // Ctrl held, then O: without a time zero the window says so and keeps it.
  s.f.env.ui.ClearLog();
  Key(&widget, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
  Key(&widget, QEvent::KeyPress, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(s.f.G().ZeroIndex, 0);
  EXPECT_EQ(s.f.env.ui.Log().size(), 1u);
  widget.Detach();
}

}  // namespace
