#include "state/StoreUtilities.h"

#include "state/Program.h"
#include "store/FixedText.h"
#include "store/Utilities.h"

namespace state {

double CursorToTime(Program& p, store::Store store, double index, int N, double step, int channel) {
  bool spectrum = channel >= 0 && channel < store::kChannels && p.Freq(store)[channel] != 0;
  if (spectrum) {
    double span = double(N) * step;
    return span == 0.0 ? 0.0 : index / span;
  }
  return (index - (double(p.Header(store).PreTrigger) - 1.0)) * step;
}

double CursorToTime(Program& p, store::Store store, int32_t index, int N, double step, int channel) {
  return CursorToTime(p, store, double(index), N, step, channel);
}

double CursorToTime(Program& p, store::Store store, int64_t index, int N, double step, int channel) {
  return CursorToTime(p, store, double(index), N, step, channel);
}

void TimeToCom(Program& p, store::Store store) {
  store::Header_s& h = p.Header(store);
  // The comment may come from a file without its terminator.
  std::string text = store::PisDatum(p.plat.clock->Now()) + "\r\n" + store::FieldText(h.Comment);
  store::CopyText(h.Comment, text);
}

}  // namespace state
