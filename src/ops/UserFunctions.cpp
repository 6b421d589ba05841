#include "ops/UserFunctions.h"

#include <cmath>
#include <cstring>
#include <string>

#include "ops/ChannelView.h"
#include "ops/Decibels.h"
#include "ops/FrequencyAnalysis.h"
#include "ops/Matematika.h"
#include "ops/TimeFrequency.h"
#include "state/Messages.h"
#include "state/Program.h"
#include "store/Records.h"

namespace ops {

namespace {

constexpr int kPages = 5;

// No general text names a missing function, so the notice is built in; it
// carries the code so the user can tell which page setting to change.
void NotAvailable(state::Program& p, int code) {
  std::string text = "Function " + std::to_string(code) + " is not available.";
  state::Mess(p, text, state::Txt(p, 14));
}

// The sample-wise operation a function code runs, 0 for none.
int MathOperation(int code) {
  switch (code) {
    case 59:
      return 1;
    case 60:
      return 8;
    case 61:
      return 2;
    case 62:
      return 4;
    case 64:
      return 5;
    case 65:
      return 6;
    case 66:
      return 7;
    default:
      return 0;
  }
}

// The band of the band-analysis codes: centre and half-width as float32 at
// offsets 4 and 8 of the page (in bins for 37 to 39, in frequency units for
// 40 and 41); offset 36 is the time-frequency parameter of code 51.
void Band(const store::Fun_s& f, float& centre, float& halfWidth) {
  std::memcpy(&centre, f.Reserved4, sizeof centre);
  std::memcpy(&halfWidth, f.Reserved4 + 4, sizeof halfWidth);
}

// The time-frequency codes: 42 to 46 run modes 0, 1, 2, 4 and 5 with the
// default window; 47 to 51 mode 0 and 52 to 56 mode 2 with a window for a
// bandwidth of n Hz (45, 90, 300, 600, or the page's N). Answers the mode,
// -1 for another code; `n` is 0 for the default window.
int TimeFrequencyCode(int code, const store::Fun_s& f, double& n) {
  static constexpr int kModes[] = {0, 1, 2, 4, 5};
  static constexpr double kBandwidths[] = {45, 90, 300, 600};
  n = 0;
  if (code >= 42 && code <= 46) return kModes[code - 42];
  if (code < 47 || code > 56) return -1;
  const int k = (code - 47) % 5;
  n = k < 4 ? kBandwidths[k] : double(f.N);
  return code <= 51 ? 0 : 2;
}

// The band analysis writes into channel 61 (0-based 60) as WBCDHZ does, so the
// page's channel keeps its samples; a page on channel 61 itself writes 62.
constexpr int kBandDestination = 60;

}  // namespace

int CreateNewData(state::Program& p, int page) {
  if (page < 0 || page >= kPages || !p.Fun) return 0;
  const store::Fun_s& f = p.Fun[size_t(page)];
  int code = f.Code, channel = f.Channel;

  if (code == 10) {
    ChannelView v = ViewChannel(p, store::Store::W, channel);
    if (!v) {
      state::MessT(p, 341, 11);
      return 0;
    }
    // A spectrum converts its magnitude half, a time signal every sample.
    int last = v.spectrum ? v.length / 2 - 1 : v.length - 1;
    if (last < 0) return 0;
    return ChaneldB_Util(p, store::Store::W, channel, 0, last, true);
  }
  if (FunctionUsesBand(code)) {
    if (!ViewChannel(p, store::Store::W, channel)) {
      state::MessT(p, 341, 11);
      return 0;
    }
    float centre = 0, halfWidth = 0;
    Band(f, centre, halfWidth);
    int mode = code <= 39 ? code - 36 : 1;
    const bool binsGiven = code <= 39;
    if (binsGiven) {
      centre = std::round(centre);
      halfWidth = std::round(halfWidth);
    }
    int destination = channel == kBandDestination ? kBandDestination + 1 : kBandDestination;
    return DataFreqAnal(p, channel, destination, mode, centre, halfWidth, binsGiven);
  }
  double n = 0;
  if (int mode = TimeFrequencyCode(code, f, n); mode >= 0) {
    if (!ViewChannel(p, store::Store::W, channel)) {
      state::MessT(p, 341, 11);
      return 0;
    }
    int window = 0;
    if (code >= 47) {
      window = BandwidthWindow(n, p.FGW[size_t(channel)].Step);
      if (window == 0) {
        state::Mess(p,
                    state::Lang(p, "Šířka pásma n musí být kladná a krok kanálu platný.",
                                "The bandwidth n must be positive and the channel's step valid."),
                    state::Txt(p, 13));
        return 0;
      }
    }
    return FreqAnal2D(p, channel, mode, window);
  }
  if (int op = MathOperation(code)) {
    ChannelView v = ViewChannel(p, store::Store::W, channel);
    if (!v) {
      state::MessT(p, 341, 11);
      return 0;
    }
    float result = 0;
    return Matematika(p, channel, channel, channel, op, 0, v.length - 1, result);
  }
  NotAvailable(p, code);
  return 0;
}

std::string FunctionOperation(const state::Program& p, int code) {
  using state::Lang;
  auto notHere = [&p](const char* czech, const char* english) {
    return std::string(Lang(p, czech, english)) +
           Lang(p, " (v této verzi není k dispozici)", " (not available here)");
  };
  switch (code) {
    case 10:
      return Lang(p, "Kanál do dB (20 log)", "Channel to decibels (20 log)");
    case 37:
      return Lang(p, "Obálka pásma (biny) do kanálu 61", "Band envelope (bins) into channel 61");
    case 38:
      return Lang(p, "Fáze pásma (biny) do kanálu 61", "Band phase (bins) into channel 61");
    case 39:
      return Lang(p, "Okamžitá frekvence pásma (biny) do kanálu 61",
                  "Band instantaneous frequency (bins) into channel 61");
    case 40:
    case 41:
      return Lang(p, "Obálka pásma (frekvence) do kanálu 61", "Band envelope (frequency) into channel 61");
    case 71:
      return notHere("Numerika a časově-frekvenční analýza", "Numerics and time-frequency analysis");
    default:
      break;
  }
  switch (MathOperation(code)) {
    case 1:
      return Lang(p, "Derivace", "Derivative");
    case 2:
      return Lang(p, "Kumulativní součet", "Cumulative sum");
    case 4:
      return Lang(p, "Integrál", "Integral");
    case 5:
      return Lang(p, "Jen první vzorek", "First sample only");
    case 6:
      return Lang(p, "Absolutní hodnota", "Absolute value");
    case 7:
      return Lang(p, "Kladná část", "Positive part");
    case 8:
      return Lang(p, "Značka změny", "Change marker");
    default:
      break;
  }
  static constexpr const char* kTfCzech[] = {"amplituda", "výkon", "úroveň v dB",
                                             "",          "fáze",  "okamžitá frekvence"};
  static constexpr const char* kTfEnglish[] = {"amplitude", "power", "level in dB",
                                               "",          "phase", "instantaneous frequency"};
  double n = 0;
  if (int mode = TimeFrequencyCode(code, store::Fun_s{}, n); mode >= 0) {
    std::string text = std::string(Lang(p, "Časově-frekvenční matice: ", "Time-frequency matrix: ")) +
                       Lang(p, kTfCzech[mode], kTfEnglish[mode]);
    if (code == 51 || code == 56) return text + Lang(p, ", pásmo n Hz", ", bandwidth n Hz");
    if (code >= 47) return text + Lang(p, ", pásmo ", ", bandwidth ") + std::to_string(int(n)) + " Hz";
    return text;
  }
  if ((code >= 13 && code <= 35) || code == 63) return notHere("Harmonická analýza", "Harmonic analysis");
  return Lang(p, "Žádná funkce", "No function");
}

bool FunctionUsesBand(int code) { return code >= 37 && code <= 41; }
bool FunctionUsesN(int code) { return code == 51 || code == 56; }

int Funkce_Proved(state::Program& p, int page) {
  if (page < 0 || page >= kPages) return 0;
  p.FunPage = int16_t(page);
  return CreateNewData(p, page);
}

}  // namespace ops
