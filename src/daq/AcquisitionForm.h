// The acquisition settings dialog (`TTarvelinDialog`) without its window:
// the fields as the edit controls hold them, the range readers that turn
// them back into numbers, the prompts behind the field labels, and the
// write-back on OK. The Qt dialog only shows and edits the texts.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace state {
struct Program;
}

namespace daq {

// The numeric fields, by their control numbers.
enum class AcqField {
  MLength = 701,
  MPeriod = 703,
  MBefore = 705,
  MMax = 707,
  MMin = 709,
  WLength = 711,
  WRepeatPeriod = 713,
  WPeriod = 715,
  TraceMax = 717,
  TraceMin = 719,
  CalInput1 = 723,
  CalValue1 = 725,
  CalInput2 = 727,
  CalValue2 = 729,
};

inline constexpr std::array<AcqField, 14> kAcqFields = {
    AcqField::MLength,   AcqField::MPeriod,   AcqField::MBefore,   AcqField::MMax,          AcqField::MMin,
    AcqField::TraceMax,  AcqField::TraceMin,  AcqField::WLength,   AcqField::WRepeatPeriod, AcqField::WPeriod,
    AcqField::CalInput1, AcqField::CalValue1, AcqField::CalInput2, AcqField::CalValue2};

struct AcqFieldInfo {
  const char* name;   // the record field it edits (also the control's object name)
  const char* label;  // the label button's text
  bool integer;
  int chars;       // characters the range reader takes
  int promptText;  // general text of the prompt title; 0 = the label
};

const AcqFieldInfo& InfoOf(AcqField f);
// Position of a field in `kAcqFields` (its reading order).
size_t IndexOf(AcqField f);

struct Range {
  double min, max;
};

// Values derived from the fields as they stand, shown beside them.
struct AcqDerived {
  double measurementSeconds;  // one measurement record: MLength × MPeriod
  double waveformSeconds;     // one waveform record: WLength × WPeriod
  double samplingHz;          // 1 / WPeriod
};

class AcquisitionForm {
 public:
  // `InitialSet`: the fields from channel 1's record (lengths and periods)
  // and from the reference channel's (limits and calibration). Values a job
  // file left outside the accepted ranges (or not numbers at all) are shown
  // brought into range, so the dialog never offers what OK would refuse.
  explicit AcquisitionForm(const state::Program& p);

  const std::string& Text(AcqField f) const { return text_[IndexOf(f)]; }
  void SetText(AcqField f, std::string text) { text_[IndexOf(f)] = std::move(text); }

  // The range of a field; the pre-trigger range follows the measurement
  // size as it is read now.
  Range RangeOf(AcqField f) const;
  // The range reader: at most the field's characters converted, a value
  // outside the range replaced by the nearer limit (text without a number
  // reads as 0, and a sampling period of 0 as 1.0). A calibration input
  // that was not edited reads as it was loaded, in range or not.
  double Read(AcqField f) const;

  // The label button: the field's prompt, pre-filled and limited to its
  // range; an accepted value is written into the field. Answers whether one was.
  bool Prompt(state::Program& p, AcqField f);
  // "*" and "/" beside a size field: double it when at most half of
  // `MaxLength`, halve it when at least 16, then the size prompt (general
  // text 142, for either size) with the new value.
  bool DoubleSize(state::Program& p, AcqField size);
  bool HalveSize(state::Program& p, AcqField size);

  // "&Init.": the factory values (`A0`) into every field.
  void Defaults();

  AcqDerived Derived() const;

  // Waveform runs done by the first waveform window, scan by scan (the
  // reference channel's live flag); written back by `Accept`.
  bool live = false;

  // `CanClose`: reads every field, warns about an empty event or trace
  // window (general texts 252 and 253, the values stay), and writes the
  // fields into the records. A repeated waveform run whose length or
  // sampling period changed is restarted, as the keys that change them do,
  // so that every record of the run has one length and one time step.
  // Answers 1 (nothing is refused).
  int Accept(state::Program& p);

 private:
  void SetNumber(AcqField f, double v);
  bool Prompt(state::Program& p, AcqField f, const std::string& title);

  std::array<std::string, kAcqFields.size()> text_;
  double maxLength_;
  double minWPer_, maxWPer_;
  double fullScale_;  // of the reference channel's input range
  // The calibration inputs as they were loaded, kept while their text is.
  double calKept_[2] = {};
  std::string calText_[2];
};

}  // namespace daq
