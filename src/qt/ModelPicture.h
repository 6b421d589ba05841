// The picture a window model draws on: an image with its canvas, as large as
// the widget's client area below its menu (clamped to the largest screen),
// and the background shown where the image does not reach. The graph,
// matrix and recorder widgets each keep one.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "qt/QtCanvas.h"

class QWidget;

namespace qt {

class ModelPicture {
 public:
  ModelPicture(QSize size, QColor background);
  ~ModelPicture() { canvas_.End(); }
  ModelPicture(const ModelPicture&) = delete;
  ModelPicture& operator=(const ModelPicture&) = delete;

  // A size within 1 × 1 … the largest screen.
  static QSize Clamped(QSize size);

  QtCanvas& Canvas() { return canvas_; }
  QSize Size() const { return image_.size(); }
  // The pixels as drawn so far (the painter is closed first).
  const QImage& Image();
  // A fresh image in the background colour when the clamped `size` differs
  // from the present one; true then, and the model should take the new size.
  bool Fit(QSize size);
  // Shows the image at `top` on `widget` (inside its paint event).
  void PaintOn(QWidget& widget, int top);

 private:
  QImage image_;
  QtCanvas canvas_;  // draws on image_
  QColor background_;
};

}  // namespace qt
