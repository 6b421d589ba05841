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
      columnsWithTrace += trace;
    }
    EXPECT_EQ(columnsWithTrace, width - 4) << "colour " << colour;
    EXPECT_EQ(chroma > 0, colour != 0);
    // The screen layout is back.
    EXPECT_EQ(s.window->PlotLeft, screenLeft);
    EXPECT_EQ(s.f.G().PrintMode, 0);
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
