// The state and arithmetic of the value entry dialogs (`TFN_Dialog` float,
// `TIN_Dialog` int16, `TLN_Dialog` int32): the value being edited, its text,
// the scroll bar position that matches it and the clamped result of OK. The
// widgets only forward what the user did and show what this answers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

enum class ValueKind { Float, Int16, Int32 };

class ValuePrompt {
 public:
  static constexpr int kMaxChars = 10;  // the edit field's limit

  // min > max (a caller's bad settings) is taken as the single value min;
  // bounds beyond the value type or not finite are cut to the type's range.
  ValuePrompt(ValueKind kind, double min, double max, double initial, int scrollMin, int scrollMax);

  ValueKind Kind() const { return kind_; }
  double Min() const { return min_; }
  double Max() const { return max_; }
  double Initial() const { return initial_; }
  int ScrollMin() const { return scrollMin_; }
  int ScrollMax() const { return scrollMax_; }
  double Step() const { return step_; }

  // The value being edited: may lie outside min..max after typing, never NaN.
  double Value() const { return value_; }
  // The value as shown in the field and the value box.
  std::string Text() const;
  // The scroll bar position that matches the value (clamped to the bar).
  int Position() const;

  // The scroll bar was moved.
  void SetPosition(int position);
  // The field was edited: answers false (and keeps the value) when the text
  // does not start with a finite number. At most kMaxChars characters count.
  bool SetText(std::string_view text);
  void ToMin() { value_ = min_; }
  void ToMax() { value_ = max_; }
  void ToInitial() { value_ = initial_; }

  // What OK hands to the caller: the value clamped to min..max.
  double Result() const;

  // The number at the front of a text, read as the field reads it (blanks and
  // a '+' skipped, a decimal comma taken as a point, trailing text ignored).
  static bool ParseNumber(std::string_view text, double& out);

 private:
  double Fit(double v) const;  // rounds for the integer kinds, keeps finite

  ValueKind kind_;
  double min_, max_, initial_;
  int scrollMin_, scrollMax_;
  double step_;
  double value_;
};

// The scroll range for a prompt whose caller gave none: the integer span
// itself when it is small, else 0..1000.
void DefaultScrollRange(ValueKind kind, double min, double max, int& scrollMin, int& scrollMax);

}  // namespace app
