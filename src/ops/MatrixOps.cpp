#include "ops/MatrixOps.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "files/DataFileFormat.h"
#include "files/MatrixFile.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace ops {
namespace {

bool Usable(state::Program& p) {
  if (HasMatrix(p)) return true;
  state::MessT(p, 731, 13);
  return false;
}

void Refuse(state::Program& p, const std::string& text) { state::Mess(p, text, state::Txt(p, 13)); }

// A buffer of n values, or a message (77) and false.
bool Room(state::Program& p, std::vector<float>& v, size_t n) {
  try {
    v.resize(n);
    return true;
  } catch (const std::bad_alloc&) {
    state::MessT(p, 77, 13);
    return false;
  }
}

void Clamp(int16_t& index, int count) { index = int16_t(std::clamp<int>(index, 0, count - 1)); }

// The window of shown indices inside 0 … count - 1, the whole range when it is
// turned round.
void FitWindow(int16_t& first, int16_t& last, int count) {
  Clamp(first, count);
  Clamp(last, count);
  if (last < first) {
    first = 0;
    last = int16_t(count - 1);
  }
}

float FiniteOr(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

// View and axis fields of a header read from a file, made usable for the
// counts it carries; the counts themselves the reader has checked.
void FitHeader(store::Mat_s& m, const std::vector<float>& values) {
  if (m.Mode != 0 && m.Mode != 1 && m.Mode != 10 && m.Mode != 20) m.Mode = 0;
  FitWindow(m.FirstColumn, m.LastColumn, m.Columns);
  FitWindow(m.FirstRow, m.LastRow, m.Rows);
  m.ColumnDirection = FiniteOr(m.ColumnDirection, 1);
  m.RowDirection = FiniteOr(m.RowDirection, 1);
  m.Perspective = FiniteOr(m.Perspective, 0);
  m.RowSpacing = FiniteOr(m.RowSpacing, 0);
  if (!std::isfinite(m.ValueMax) || !std::isfinite(m.ValueMin) || m.ValueMax < m.ValueMin) {
    auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    m.ValueMin = *lo;
    m.ValueMax = *hi;
  }
  m.ColumnStart = FiniteOr(m.ColumnStart, 0);
  m.ColumnStep = FiniteOr(m.ColumnStep, 1);
  m.RowStart = FiniteOr(m.RowStart, 0);
  m.RowStep = FiniteOr(m.RowStep, 1);
}

// The full waveform file name: the caption's name is shortened when long, and
// then the last file read or written is the one it stands for.
std::string WaveformFileName(const state::Program& p) {
  const std::string shown = store::FieldText(p.DW_Name);
  const std::string last = store::FieldText(p.WG.LastWaveFile);
  return !last.empty() && last != shown && store::ShortPath(100, last) == shown ? last : shown;
}

}  // namespace

bool HasMatrix(const state::Program& p) {
  if (!p.Mat) return false;
  const store::Mat_s& m = p.Mat[0];
  return m.Rows > 0 && m.Columns > 0 && p.Matrix.size() == size_t(m.Rows) * size_t(m.Columns);
}

bool NormalizeMatrix(state::Program& p) {
  if (!Usable(p)) return false;
  float largest = -FLT_MAX;
  bool finite = true;
  for (float v : p.Matrix) {
    finite = finite && std::isfinite(v);
    largest = std::max(largest, v);
  }
  if (!finite || !(largest > 0)) {
    Refuse(p, state::Lang(
                  p, "Největší hodnota matice není kladné číslo, matice zůstává beze změny.",
                  "The largest value of the matrix is not a positive number; the matrix stays as it was."));
    return false;
  }
  if (state::AskT(p, 804, 15) != platform::Answer::Yes) return false;
  // A tiny largest value may push the most negative ones past the float range.
  auto divide = [largest](float v) { return std::clamp(v / largest, -FLT_MAX, FLT_MAX); };
  for (float& v : p.Matrix) v = divide(v);
  store::Mat_s& m = p.Mat[0];
  m.ValueMax = divide(m.ValueMax);
  m.ValueMin = divide(m.ValueMin);
  return true;
}

bool SmoothMatrix(state::Program& p) {
  if (!Usable(p)) return false;
  const int R = p.Mat[0].Rows, C = p.Mat[0].Columns;
  std::vector<float> across, out;
  if (!Room(p, across, p.Matrix.size()) || !Room(p, out, p.Matrix.size())) return false;
  // The block mean is separable: the mean of the neighbours in the row, then
  // of those means down the column (the counts multiply, edges included).
  const float* in = p.Matrix.data();
  for (int r = 0; r < R; ++r)
    for (int c = 0; c < C; ++c) {
      const int c0 = std::max(c - 1, 0), c1 = std::min(c + 1, C - 1);
      double s = 0;
      for (int k = c0; k <= c1; ++k) s += in[size_t(r) * C + k];
      across[size_t(r) * C + c] = float(s / (c1 - c0 + 1));
    }
  for (int r = 0; r < R; ++r) {
    const int r0 = std::max(r - 1, 0), r1 = std::min(r + 1, R - 1);
    for (int c = 0; c < C; ++c) {
      double s = 0;
      for (int k = r0; k <= r1; ++k) s += across[size_t(k) * C + c];
      out[size_t(r) * C + c] = float(s / (r1 - r0 + 1));
    }
  }
  p.Matrix.swap(out);
  return true;
}

bool TransposeMatrix(state::Program& p, int variant) {
  if (variant != 0 && variant != 1) return false;
  if (!Usable(p)) return false;
  store::Mat_s& m = p.Mat[0];
  const int R = m.Rows, C = m.Columns;
  std::vector<float> out;
  if (!Room(p, out, p.Matrix.size())) return false;
  const float* in = p.Matrix.data();
  // Old (r, c) goes to new row c; its new column is r, or R - 1 - r when turning.
  for (int r = 0; r < R; ++r) {
    const size_t column = size_t(variant == 0 ? r : R - 1 - r);
    for (int c = 0; c < C; ++c) out[size_t(c) * R + column] = in[size_t(r) * C + c];
  }
  FitWindow(m.FirstColumn, m.LastColumn, C);
  FitWindow(m.FirstRow, m.LastRow, R);
  store::Mat_s t = m;
  m.Rows = int16_t(C);
  m.Columns = int16_t(R);
  m.FirstRow = t.FirstColumn;
  m.LastRow = t.LastColumn;
  m.RowDirection = t.ColumnDirection;
  m.ColumnDirection = t.RowDirection;
  m.RowStart = t.ColumnStart;
  m.RowStep = t.ColumnStep;
  if (variant == 0) {
    m.FirstColumn = t.FirstRow;
    m.LastColumn = t.LastRow;
    m.ColumnStart = t.RowStart;
    m.ColumnStep = t.RowStep;
  } else {
    m.FirstColumn = int16_t(R - 1 - t.LastRow);
    m.LastColumn = int16_t(R - 1 - t.FirstRow);
    m.ColumnStart = float(double(t.RowStart) + double(R - 1) * t.RowStep);
    m.ColumnStep = -t.RowStep;
  }
  p.Matrix.swap(out);
  return true;
}

bool SaveMatrix(state::Program& p) {
  if (!Usable(p)) return false;
  std::string name = WaveformFileName(p);
  const size_t sep = name.find_last_of("\\/");
  const size_t dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && (sep == std::string::npos || dot > sep);
  if (hasExtension) name = name.substr(0, dot + 1) + "MAT";
  if (!hasExtension || !files::WriteMatrixFile(files::ResolveDataName(p, name), p.Mat[0], p.Matrix.data())) {
    Refuse(p, std::string(state::Lang(p, "Chybné jméno", "Wrong name")) + "  : " + name);
    return false;
  }
  return true;
}

bool OpenMatrix(state::Program& p, const std::string& path) {
  if (!p.Mat) return false;
  store::Mat_s header{};
  std::vector<float> values;
  const files::MatrixFileStatus status =
      files::ReadMatrixFile(files::ResolveDataName(p, path), header, values);
  const char* czech = nullptr;
  const char* english = nullptr;
  switch (status) {
    case files::MatrixFileStatus::Ok:
      FitHeader(header, values);
      p.Mat[0] = header;
      p.Matrix = std::move(values);
      return true;
    case files::MatrixFileStatus::CannotOpen:
      files::ReportOpenFailure(p, path, true);
      return false;
    case files::MatrixFileStatus::BadCounts:
      czech = "Hlavička matice neudává kladný počet řádků a sloupců";
      english = "The matrix header gives no positive number of rows and columns";
      break;
    case files::MatrixFileStatus::TooLarge:
      czech = "Matice je příliš velká";
      english = "The matrix is too large";
      break;
    case files::MatrixFileStatus::SizeMismatch:
      czech = "Délka souboru neodpovídá počtu řádků a sloupců v hlavičce";
      english = "The file's length does not match the rows and columns of its header";
      break;
    case files::MatrixFileStatus::NotANumber:
      czech = "Soubor matice obsahuje hodnoty, které nejsou čísla";
      english = "The matrix file holds values that are not numbers";
      break;
  }
  Refuse(p, std::string(state::Lang(p, czech, english)) + "  : " + path);
  return false;
}

}  // namespace ops
