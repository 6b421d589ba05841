// The buttons along the top of the matrix display and what each does.
#include <algorithm>
#include <cmath>
#include <optional>

#include "files/DataFileFormat.h"
#include "files/Printing.h"
#include "graph/MatrixDisplay.h"
#include "ops/MatrixOps.h"
#include "state/Messages.h"
#include "state/Program.h"

namespace graph {
namespace {

constexpr double kRangeLimit = 10000;

// One decimal, so that repeated steps of 0.1 end on 0 exactly.
float StepDown(float v) { return std::max(0.0f, float(std::lround((double(v) - 0.1) * 10)) / 10.0f); }

}  // namespace

const std::vector<MatrixButton>& MatrixButtons() {
  static const std::vector<MatrixButton> buttons = {
      {kMatClose, nullptr, 60, 40},   {kMatRedraw, "D", 100, 25},       {kMatRange, "L", 125, 25},
      {kMatLeft, "<", 160, 25},       {kMatRight, ">", 185, 25},        {kMatHalve, "><", 210, 25},
      {kMatDouble, "<>", 235, 25},    {kMatAutoscale, "A", 260, 25},    {kMatRangeNarrower, "+", 295, 25},
      {kMatRangeWider, "-", 320, 25}, {kMatRangeDown, "UP", 345, 25},   {kMatRangeUp, "DN", 370, 25},
      {kMatPrint, "PT", 400, 25},     {kMatPerspective, "#H", 425, 25}, {kMatSpacing, "#V", 450, 25},
      {kMatMode, "C", 480, 20},       {kMatSmooth, "S", 500, 20},       {kMatTransposeR, "R", 520, 20},
      {kMatTransposeT, "T", 540, 20}, {kMatNormalise, "N", 560, 20},    {kMatBlackWhite, "B&&W", 580, 40},
  };
  return buttons;
}

std::string MatrixButtonLabel(const state::Program& p, const MatrixButton& b) {
  return b.label ? b.label : state::Txt(p, 20);
}

void TDispl2D::PromptRange() {
  const std::optional<double> max = p_.ui().PromptFloat(state::Txt(p_, 747), -kRangeLimit, kRangeLimit, Max);
  if (!max) return;
  const std::optional<double> min = p_.ui().PromptFloat(state::Txt(p_, 748), -kRangeLimit, kRangeLimit, Min);
  if (!min) return;
  if (!(*max > *min)) {
    state::MessT(p_, 749, 13);
    return;
  }
  SetRange(float(*max), float(*min));
}

bool TDispl2D::OpenMatrixFile() {
  platform::FileDialogRequest request;
  request.title = state::Lang(p_, "Otevři matici", "Open a matrix");
  request.filter = state::Lang(p_, "Matice$*.MAT$Všechny soubory$*.*", "Matrices$*.MAT$All files$*.*");
  request.folder = files::ResolveDataName(p_, "\\DATA\\");
  request.mask = "*.MAT";
  const std::optional<std::string> path = p_.ui().ChooseFile(request);
  if (!path || path->empty()) return false;
  if (!ops::OpenMatrix(p_, *path) || !Nastav(true)) return false;
  return Displ();
}

bool TDispl2D::EvCommand(int id) {
  store::Mat_s& m = p_.Mat[0];
  const float range = Max - Min;
  const int half = (lastCol_ - firstCol_) / 2;
  switch (id) {
    case kMatSave:
      (void)ops::SaveMatrix(p_);
      return true;
    case kMatClose:
      CloseWindow();
      return false;
    case kMatRedraw:
      break;
    case kMatRange:
      PromptRange();
      break;
    case kMatLeft: {
      // Half the width, but not past the first column: the window keeps its width.
      const int by = std::min(half, firstCol_);
      m.FirstColumn = int16_t(firstCol_ - by);
      m.LastColumn = int16_t(lastCol_ - by);
      break;
    }
    case kMatRight: {
      const int by = std::min(half, nx_ - 1 - lastCol_);
      m.FirstColumn = int16_t(firstCol_ + by);
      m.LastColumn = int16_t(lastCol_ + by);
      break;
    }
    case kMatHalve:
      m.LastColumn = int16_t(firstCol_ + half);
      break;
    case kMatDouble:
      m.LastColumn = int16_t(std::min(firstCol_ + 2 * (lastCol_ - firstCol_), nx_ - 1));
      break;
    case kMatAutoscale:
      Autoscale();
      m.FirstColumn = 0, m.LastColumn = int16_t(nx_ - 1);
      m.FirstRow = 0, m.LastRow = int16_t(ny_ - 1);
      break;
    case kMatRangeNarrower:
      SetRange(Min + range / 1.3f, Min);
      break;
    case kMatRangeWider:
      SetRange(Min + range * 1.3f, Min);
      break;
    case kMatRangeDown:
      SetRange(Max - range / 10, Min - range / 10);
      break;
    case kMatRangeUp:
      SetRange(Max + range / 10, Min + range / 10);
      break;
    case kMatPrint:
      (void)PrinterDispl(files::kPrintWhole);  // the job reports its own failures
      return true;
    case kMatPerspective:
      m.Perspective = (m.Perspective == 0 || !(m.Perspective < 1.6f)) ? 0.8f : StepDown(m.Perspective);
      break;
    case kMatSpacing:
      m.RowSpacing = (m.RowSpacing == 0 || !std::isfinite(m.RowSpacing)) ? 1.0f : StepDown(m.RowSpacing);
      break;
    case kMatMode:
      m.Mode = m.Mode == kMatColour     ? kMatInverted
               : m.Mode == kMatInverted ? kMatHidden
               : m.Mode == kMatHidden   ? kMatLines
                                        : kMatColour;
      break;
    case kMatSmooth:
      if (ops::SmoothMatrix(p_)) buffer_ = {};
      break;
    case kMatTransposeR:
      if (ops::TransposeMatrix(p_, 1)) buffer_ = {};
      break;
    case kMatTransposeT:
      if (ops::TransposeMatrix(p_, 0)) buffer_ = {};
      break;
    case kMatNormalise:
      (void)ops::NormalizeMatrix(p_);
      break;
    case kMatBlackWhite:
      p_.FULL_MATRIX = !p_.FULL_MATRIX;
      break;
    default:
      return true;
  }
  // The picture buffer and the windows are rebuilt from the header (Nastav).
  return Displ();
}

}  // namespace graph
