// Redrawing the matrix display's colour map of a 1024 × 1024 matrix on a
// 640 × 400 image, against the plain way: an image of every element
// coloured and scaled into the plot by Qt.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "BenchProgram.h"
#include "graph/MatrixDisplay.h"
#include "qt/MatrixWindow.h"

namespace {

constexpr int kW = 640, kH = 400, kN = 1024;

struct MatrixBench {
  MatrixBench() : b("/tmp", 65536, 65536) {
    state::Program& p = *b.prog;
    store::Mat_s& m = p.Mat[0];
    m = {};
    m.Columns = m.Rows = kN;
    m.LastColumn = m.LastRow = kN - 1;
    m.ValueMax = 2, m.ValueMin = -2;
    p.Matrix.resize(size_t(kN) * kN);
    for (int r = 0; r < kN; ++r)
      for (int c = 0; c < kN; ++c)
        p.Matrix[size_t(r) * kN + size_t(c)] = std::sin(c * 0.02f) + std::cos(r * 0.03f);
    w = std::make_unique<graph::TDispl2D>(p, "bench");
    if (!w->Nastav(true)) std::abort();
  }
  bench_support::BenchProgram b;
  std::unique_ptr<graph::TDispl2D> w;
  QImage image{kW, kH, QImage::Format_RGB32};
};

void BM_MatrixColourMapRedraw(benchmark::State& state) {
  MatrixBench g;
  for (auto _ : state) {
    qt::RenderMatrix(*g.w, g.image);
    benchmark::DoNotOptimize(g.image.constBits());
  }
}
BENCHMARK(BM_MatrixColourMapRedraw)->Unit(benchmark::kMillisecond);

// The peer: every element through the colour scale into a full-size image,
// then one smooth-less scaled draw into the same plot rectangle.
void BM_QImageOfEveryElementScaled(benchmark::State& state) {
  MatrixBench g;
  const std::vector<float>& d = g.b.prog->Matrix;
  QImage full(kN, kN, QImage::Format_RGB32);
  const float step = 4.0f / 768;
  for (auto _ : state) {
    for (int r = 0; r < kN; ++r) {
      auto* line = reinterpret_cast<QRgb*>(full.scanLine(kN - 1 - r));
      for (int c = 0; c < kN; ++c) {
        const uint32_t bgr = graph::MatrixColour(d[size_t(r) * kN + size_t(c)], -2, step, false);
        line[c] = qRgb(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16));
      }
    }
    QPainter painter(&g.image);
    painter.drawImage(QRect(78, 37, kW - 78 - 24, kH - 37 - 56), full);
    painter.end();
    benchmark::DoNotOptimize(g.image.constBits());
  }
}
BENCHMARK(BM_QImageOfEveryElementScaled)->Unit(benchmark::kMillisecond);

}  // namespace
