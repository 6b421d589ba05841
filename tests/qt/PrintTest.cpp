#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSpinBox>
#include <QTimer>
#include <cmath>

#include "QtTestSupport.h"
#include "files/Printing.h"
#include "graph/GraphTestSupport.h"
#include "qt/GraphDialogs.h"
#include "qt/PrintDialog.h"
#include "qt/QtCanvas.h"

namespace {

// An A4 page at 150 dpi in an image; the program's jobs are counted.
struct ImagePrinter {
  struct Job : platform::PrintJob {
    explicit Job(ImagePrinter& o) : owner(o), canvas(o.page) {}
    platform::Canvas& Page() override { return canvas; }
    bool NewPage() override { return ++owner.pages, true; }
    bool Finish() override {
      canvas.End();
      ++owner.finished;
      return true;
    }
    std::string Where() const override { return "image"; }
    ImagePrinter& owner;
    qt::QtCanvas canvas;
  };
  explicit ImagePrinter(state::Program& p) {
    page.fill(Qt::white);
    p.OpenPrintJob = [this](const platform::PrintTarget&) {
      ++opened;
      pages = 1;
      return std::make_unique<Job>(*this);
    };
  }
  QImage page{1240, 1754, QImage::Format_RGB32};
  int opened = 0, pages = 0, finished = 0;
};

struct PrintedSine {
  PrintedSine() {
    std::vector<float> sine(1000);
    for (size_t i = 0; i < sine.size(); ++i) sine[i] = float(1000.0 * std::sin(2 * M_PI * double(i) / 100.0));
    f.Store(sine);
    store::CG_s& g = f.G();
    g.IL = 0;
    g.IR = 299;
    g.VScale = 1;
    g.Raster = g.ShowMarkers = g.Multi = g.WhiteMode = 0;
    g.TraceStyle = 1;
    f.p.Col_.get()->TraceColor[0] = 0x00FF00;
    f.p.Col_.get()->Background[0] = 0;
    store::Prt_s& prt = f.p.Prt[0];
    prt.X = 100;
    prt.Y = 200;
    window = f.Open(0);
  }
  graph_test::GraphFixture f{4096};
  ImagePrinter printer{f.p};
  std::unique_ptr<graph::TDispl10> window;
};

bool Dark(QRgb c) { return qGray(c) < 128; }

TEST(Print, GraphLandsInItsBoxBlackOnWhiteUnlessColourIsAsked) {
  for (int colour : {0, 1}) {
    PrintedSine s;
    s.f.p.Prt[0].Colour = colour;
    const int16_t screenLeft = s.window->PlotLeft;
    ASSERT_TRUE(s.window->PrinterDispl(files::kPrintWhole));
    EXPECT_EQ(s.printer.finished, 1);
    const QImage& img = s.printer.page;
    // The plot: box at (100, 200), value scale 90 px, 700 - 40 px wide, 500 high.
    const int left = 100 + 5 + 90, width = 660, top = 200 + 2, height = 500;
    int chroma = 0, columnsWithTrace = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb c = img.pixel(x, y);
        if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) ++chroma;
        if (x < 100 || y < 200) {
          ASSERT_EQ(c & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
        }
      }
    for (int x = left + 2; x < left + width - 2; ++x) {
      bool trace = false;
      for (int y = top + 1; y < top + height - 1 && !trace; ++y)
        trace = colour ? img.pixel(x, y) == qRgb(0, 255, 0) : Dark(img.pixel(x, y));
      // or hidden under the statistics panel, a white box on the black plot
      columnsWithTrace += trace || (colour && img.pixel(x, top + 5) == qRgb(255, 255, 255));
    }
    EXPECT_EQ(columnsWithTrace, width - 4) << "colour " << colour;
    EXPECT_EQ(chroma > 0, colour != 0);
    // The screen layout is back.
    EXPECT_EQ(s.window->PlotLeft, screenLeft);
    EXPECT_EQ(s.f.G().PrintMode, 0);
  }
}

TEST(Print, StatisticsPanelStaysInsideThePlot) {
  // On the black plot the panel is a white box from (100 + 95 + 4, 200 + 2 + 4);
  // its black-ink rows are covered by the chroma check above. A huge cell shrinks.
  const int x0 = 199, y0 = 206;
  for (int16_t cell : {16, 200}) {
    PrintedSine s;
    s.f.p.Prt[0].Colour = 1;
    s.f.p.Prt[0].ScaleFontHeight = s.f.p.Prt[0].ScaleFontWidth = cell;
    ASSERT_TRUE(s.window->PrinterDispl(files::kPrintWhole));
    int right = x0 + 1, bottom = y0 + 1;
    while (s.printer.page.pixel(right, y0 + 1) == qRgb(255, 255, 255)) ++right;
    while (s.printer.page.pixel(x0 + 1, bottom) == qRgb(255, 255, 255)) ++bottom;
    EXPECT_TRUE(right - x0 > 60 && right < 100 + 95 + 660) << cell << " " << right;
    EXPECT_TRUE(bottom - y0 > 120 && bottom < 202 + 500) << cell << " " << bottom;
  }
}

TEST(Print, RunningSumPrintsTheRawTraceOnItsOwnRangeAndTheWindowComesBack) {
  // The raw sine (±1000, green) on the kept range ±2000, or with the
  // background option on a fresh scan with 2.5 % margins, which is kept.
  const struct {
    int background;
    float kept, firstRow;
  } cases[] = {{0, 2000, 202 + 125}, {1, 1050, 202 + 12}};
  for (const auto& c : cases) {
    PrintedSine s;
    s.f.p.Prt[0].Colour = 1;
    s.window->SetNewPointer(graph::kRunningSum, graph::kBothHalves);
    store::CG_s& g = s.f.G();
    g.Background = c.background;
    g.VSavMax = 2000;
    g.VSavMin = -2000;
    s.window->Paint();
    const store::CG_s before = g;
    const std::vector<graph::PicturePoint> picture(s.window->Picture(),
                                                   s.window->Picture() + s.window->PictureCount());
    ASSERT_TRUE(s.window->PrinterDispl(files::kPrintWhole));
    std::vector<int> rows;
    for (int y = 202, x; y <= 702; ++y) {
      for (x = 195; x < 855 && s.printer.page.pixel(x, y) != qRgb(0, 255, 0);) ++x;
      if (x < 855) rows.push_back(y);
    }
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(rows.front(), c.firstRow, 3) << c.background;
    EXPECT_NEAR(rows.back(), 2 * 452 - c.firstRow, 3) << c.background;
    EXPECT_TRUE(g.VMax == before.VMax && g.VMin == before.VMin && g.DisplType == graph::kRunningSum);
    EXPECT_NEAR(g.VSavMax, c.kept, 0.5f);
    EXPECT_NEAR(g.VSavMin, -c.kept, 0.5f);
    EXPECT_EQ(
        std::vector<graph::PicturePoint>(s.window->Picture(), s.window->Picture() + s.window->PictureCount()),
        picture);
  }
}

TEST(Print, PhasesShareOneJobAndPage) {
  PrintedSine s;
  for (int phase : {files::kPrintOpen, files::kPrintDraw, files::kPrintDraw})
    ASSERT_TRUE(s.window->PrinterDispl(phase));
  EXPECT_EQ(s.printer.finished, 0);
  ASSERT_TRUE(s.window->PrinterDispl(files::kPrintLast));
  EXPECT_EQ(s.printer.opened, 1);
  EXPECT_EQ(s.printer.pages, 1);
  EXPECT_EQ(s.printer.finished, 1);
  EXPECT_EQ(s.f.p.PrintJobNow, nullptr);
}

TEST(Print, KeyTPrintsWithWhatTheDialogSets) {
  PrintedSine s;
  s.window->Dialogs = qt::GraphDialogs(nullptr);
  for (bool print : {false, true}) {
    QTimer::singleShot(0, [print] {
      QWidget* d = QApplication::activeModalWidget();
      ASSERT_NE(qobject_cast<qt::PrintSettingsDialog*>(d), nullptr);
      if (auto* w = qt_test::Child<QSpinBox>(d, QStringLiteral("width"))) w->setValue(400);
      qt_test::Click(d, print ? QStringLiteral("print") : QStringLiteral("cancel"));
    });
    EXPECT_TRUE(s.window->KeyDown('T', 0));
    EXPECT_EQ(s.printer.finished, print ? 1 : 0);
    EXPECT_EQ(s.f.p.Prt[0].Width, print ? 400 : 700);
  }
}

}  // namespace
