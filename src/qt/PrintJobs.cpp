#include "qt/PrintJobs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSize>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "qt/QtCanvas.h"
#include "qt/RuntimeDir.h"

namespace qt {
namespace {

// The device's painter opens at once: a job without a drawing still ends
// in a valid document.
template <typename Device>
class DeviceJob : public platform::PrintJob {
 public:
  DeviceJob(std::unique_ptr<Device> device, std::string where)
      : device_(std::move(device)), canvas_(*device_), where_(std::move(where)) {
    canvas_.Begin();
  }
  ~DeviceJob() override { canvas_.End(); }
  bool Open() const { return canvas_.Active(); }
  platform::Canvas& Page() override { return canvas_; }
  bool NewPage() override { return canvas_.Active() && device_->newPage(); }
  bool Finish() override {
    if (!canvas_.Active()) return false;
    canvas_.End();
    return Written();
  }
  std::string Where() const override { return where_; }

 private:
  bool Written() const;
  std::unique_ptr<Device> device_;
  QtCanvas canvas_;
  std::string where_;
};

template <>
bool DeviceJob<QPdfWriter>::Written() const {
  const QFileInfo f(QString::fromStdString(where_));
  return f.exists() && f.size() > 0;
}

template <>
bool DeviceJob<QPrinter>::Written() const {
  return device_->printerState() != QPrinter::Error && device_->printerState() != QPrinter::Aborted;
}

template <typename Device>
std::unique_ptr<platform::PrintJob> Opened(std::unique_ptr<DeviceJob<Device>> job) {
  if (!job->Open()) return nullptr;
  return job;
}

std::unique_ptr<platform::PrintJob> OpenPrinterJob(const QPrinterInfo& info, const std::string& document) {
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  printer->setResolution(kPrintDpi);
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setFullPage(true);
  printer->setDocName(QString::fromStdString(document));
  const std::string name = info.printerName().toStdString();
  return Opened(std::make_unique<DeviceJob<QPrinter>>(std::move(printer), name));
}

}  // namespace

std::unique_ptr<platform::PrintJob> OpenPdfJob(const std::string& file, const std::string& document) {
  auto writer = std::make_unique<QPdfWriter>(QString::fromStdString(file));
  writer->setResolution(kPrintDpi);
  writer->setPageSize(QPageSize(QPageSize::A4));
  writer->setPageMargins(QMarginsF(0, 0, 0, 0));
  writer->setTitle(QString::fromStdString(document));
  writer->setCreator(QStringLiteral("Tarvelin"));
  return Opened(std::make_unique<DeviceJob<QPdfWriter>>(std::move(writer), file));
}

platform::PrintJobOpener DesktopPrintJobs(QWidget* parent) {
  return [owner = QPointer<QWidget>(parent)](
             const platform::PrintTarget& t) -> std::unique_ptr<platform::PrintJob> {
    QWidget* parent = owner.data();
    if (!t.pdfFile.empty()) return OpenPdfJob(t.pdfFile, t.document);
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!t.ask) {
      if (!printer.isNull()) return OpenPrinterJob(printer, t.document);
      return t.fallbackPdf.empty() ? nullptr : OpenPdfJob(t.fallbackPdf, t.document);
    }
    QString question = QString::fromStdString(t.question);
    question.replace(QStringLiteral("%s"), printer.isNull() ? QStringLiteral("PDF") : printer.printerName());
    QMessageBox box(QMessageBox::Question, QString::fromStdString(t.title), question, QMessageBox::NoButton,
                    parent);
    QPushButton* toPrinter = printer.isNull() ? nullptr : box.addButton(QMessageBox::Yes);
    QPushButton* toPdf = box.addButton(QStringLiteral("PDF..."), QMessageBox::ActionRole);
    toPdf->setObjectName(QStringLiteral("toPdf"));
    box.addButton(QMessageBox::Cancel);
    box.exec();
    if (toPrinter && box.clickedButton() == toPrinter) return OpenPrinterJob(printer, t.document);
    if (box.clickedButton() != toPdf) return nullptr;
    const QString file = QFileDialog::getSaveFileName(
        parent, QStringLiteral("PDF"), QString::fromStdString(t.fallbackPdf), QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty()) return nullptr;
    return OpenPdfJob(file.toStdString(), t.document);
  };
}

platform::PrintJobOpener PdfJobsWithoutDisplay(int argc, char** argv) {
  // The application and the arguments it keeps; it ends with the last copy
  // of the opener, before the program's static objects go.
  struct Application {
    std::string name;
    char* args[2] = {nullptr, nullptr};
    int count = 1;
    std::unique_ptr<RuntimeDir> runtime;  // outlives the application
    std::unique_ptr<QGuiApplication> app;
  };
  auto held = std::make_shared<Application>();
  held->name = argc > 0 && argv[0] ? argv[0] : "tarvelin";
  return [held](const platform::PrintTarget& t) -> std::unique_ptr<platform::PrintJob> {
    const std::string file = !t.pdfFile.empty() ? t.pdfFile : t.fallbackPdf;
    if (file.empty()) return nullptr;
    if (!QCoreApplication::instance()) {
      if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      held->runtime = std::make_unique<RuntimeDir>();
      held->args[0] = held->name.data();
      held->app = std::make_unique<QGuiApplication>(held->count, held->args);
    }
    return OpenPdfJob(file, t.document);
  };
}

}  // namespace qt
