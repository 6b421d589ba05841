// Helpers of the widget tests: the event loop run for a while, and the
// controls of a window found by their object names.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qt_test {

// Delivers what is posted, deferred deletions included.
inline void RunEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the event loop until `done` holds or the deadline passes; answers `done`.
inline bool RunUntil(const std::function<bool()>& done, int deadlineMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > deadlineMs) return false;
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

template <typename T>
T* Child(QWidget* w, const QString& name) {
  T* c = w ? w->findChild<T*>(name) : nullptr;
  EXPECT_NE(c, nullptr) << name.toStdString() << " in " << (w ? w->windowTitle().toStdString() : "");
  return c;
}

inline void Click(QWidget* w, const QString& name) {
  if (auto* b = Child<QPushButton>(w, name)) b->click();
}

}  // namespace qt_test
