#include "qt/ModelPicture.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "graph/GraphModel.h"

namespace qt {
QSize ModelPicture::Clamped(QSize s) {
  return QSize(std::clamp(s.width(), 1, graph::kMaxScreenW), std::clamp(s.height(), 1, graph::kMaxScreenH));
}

ModelPicture::ModelPicture(QSize size, QColor background)
    : image_(Clamped(size), QImage::Format_RGB32), canvas_(image_), background_(background) {
  image_.fill(background_);
}

const QImage& ModelPicture::Image() {
  canvas_.End();
  return image_;
}

bool ModelPicture::Fit(QSize size) {
  const QSize s = Clamped(size);
  if (image_.size() == s) return false;
  canvas_.End();  // the painter works on the old pixels
  image_ = QImage(s, QImage::Format_RGB32);
  image_.fill(background_);
  return true;
}

void ModelPicture::PaintOn(QWidget& widget, int top) {
  canvas_.End();
  QPainter p(&widget);
  const int w = image_.width(), h = image_.height();
  p.drawImage(0, top, image_);
  if (top > 0) p.fillRect(0, 0, widget.width(), top, background_);
  if (widget.width() > w) p.fillRect(w, top, widget.width() - w, widget.height() - top, background_);
  if (widget.height() > top + h) p.fillRect(0, top + h, w, widget.height() - top - h, background_);
}

}  // namespace qt
