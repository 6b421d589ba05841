// The print seam: a job of pages of a fixed size in pixels, each drawn
// through a Canvas. The desktop opens one on a printer or a PDF file; a run
// without a display writes PDF files.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Canvas.h"

namespace platform {

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // The page being drawn; its Width/Height are the page in pixels.
  virtual Canvas& Page() = 0;
  virtual bool NewPage() = 0;
  // Ends the document; false when it could not be completed.
  virtual bool Finish() = 0;
  // Where the pages go: a printer's name or a file, for the messages.
  virtual std::string Where() const = 0;
};

struct PrintTarget {
  std::string pdfFile;      // set: the pages go to this PDF file, nothing is asked
  std::string fallbackPdf;  // without a printer and without asking: this PDF file
  bool ask = true;          // the user confirms the printer (or chooses a PDF file)
  std::string question;     // the confirmation, with %s for the printer's name
  std::string title;        // caption of the question
  std::string document = "Picture";
};

// Opens a job; null when there is nothing to print on or the user declined.
using PrintJobOpener = std::function<std::unique_ptr<PrintJob>(const PrintTarget&)>;

}  // namespace platform
