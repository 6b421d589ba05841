// Print jobs over Qt: a PDF file (QPdfWriter) or a printer (QPrinter), each
// page a canvas of the page in pixels at kPrintDpi.
#pragma once

#include <memory>
#include <string>

#include "platform/PrintJob.h"

class QWidget;

namespace qt {

// Every page is drawn at this resolution, whatever the device, so that the
// print record's pixel sizes mean the same on paper and in a PDF file.
inline constexpr int kPrintDpi = 150;

// A PDF file of A4 pages; null when the file cannot be written.
std::unique_ptr<platform::PrintJob> OpenPdfJob(const std::string& file, const std::string& document);

// The desktop's jobs: the system's default printer after the user's
// confirmation, or a PDF file the user names (always offered).
platform::PrintJobOpener DesktopPrintJobs(QWidget* parent);

// Jobs of a run without a display: PDF files only. The Qt application they
// need (fonts) starts on the offscreen platform at the first print.
platform::PrintJobOpener PdfJobsWithoutDisplay(int argc, char** argv);

}  // namespace qt
