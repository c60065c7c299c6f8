#pragma once
// The calculator: window-wide state variables and the key handlers that
// work on them. It has no parser: a calculation is the effect of the key
// handlers on this state and on the display text, which is the only place
// where the number being typed exists.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/failure.h"
#include "calculator/keys.h"
#include "calculator/view.h"

namespace veltrum {

inline constexpr std::string_view kCalcErrorText = "Произошла ошибка в вычислениях.";
inline constexpr std::string_view kShiftOffCaption = "2F: OFF";
inline constexpr std::string_view kShiftOnCaption = "2F: ON";
inline constexpr std::string_view kPasteRefusedText = "В буфере обмена нет числа.";

// A pasted text as a number: blanks around it ignored, "," or "." as the
// decimal separator; nothing when it is not a number.
std::optional<Extended> ReadPastedNumber(std::string_view text);

class Calculator {
 public:
  // Pending-operator and simple-operation codes.
  enum Op : std::int32_t { None = 0, Plus = 1, Minus = 2, Multiply = 3, DivideOp = 4, PowerOp = 5, Root = 6 };

  explicit Calculator(MessageSink* messages = nullptr, CalculatorView* view = nullptr);

  void SetView(CalculatorView* view) { view_ = view; }
  void SetMessages(MessageSink* messages) { messages_ = messages; }

  // The calculator part of window creation.
  void FormCreate();

  // Presses a key as a click would. A failure that no handler catches (a
  // conversion error left by backspace) propagates as CalcFailure; the
  // caller shows it as the event loop's error box.
  void Press(Key key);

  const std::string& Text1() const { return text1_; }
  std::string_view ShiftCaption() const { return ShiftOn ? kShiftOnCaption : kShiftOffCaption; }
  const std::string& MemoryText(int i) const { return memoryText_[i]; }
  bool Radians() const { return radians_; }

  // Display conversions.
  Extended ReadDisplay() const;
  void ShowValue(Extended v);
  // Sets the display text; only a real change runs Text1Change.
  void SetText1(std::string_view text);

  // Key handlers, named after their controls.
  void ButtonClick(char digit);
  void cmd0Click();
  void cmdpointClick();
  void cmdBackSpaceClick();
  void cmdonClick();
  void cmdceClick();
  void cmdplusClick() { PendingKey = Plus; }
  void cmdminusClick() { PendingKey = Minus; }
  void cmdmultiClick() { PendingKey = Multiply; }
  void cmddivideClick() { PendingKey = DivideOp; }
  void cmdstepenClick() { PendingKey = ShiftOn ? Root : PowerOp; }
  void cmdisClick();
  void cmdShiftClick();
  void cmdFactorialClick();
  void cmdsinClick();
  void cmdcosClick();
  void cmdtgClick();
  void cmdctgClick();
  void cmd1naxClick();
  void cmdpiClick();
  void cmdlnClick();
  void cmdlgClick();
  void cmdsqrClick();
  void cmdsqrtClick();
  void cmdplusminusClick();
  void MemoryInClick(int i);
  void MemoryPlusClick(int i);
  void MemoryMinusClick(int i);
  void MemoryRecallClick(int i);
  void ElementClick(int index);
  void SelectAngleUnit(bool radians);
  // Ctrl+V on the display: false (and nothing changed) when the text is not
  // a number.
  bool PasteNumber(std::string_view text);

  void ApplyPendingOperation();
  void HandleCalcError();

  // State, named as the design names it.
  std::int32_t EntryState = 0;
  std::int32_t PendingKey = 0;
  std::int32_t SimpleOp = 0;
  std::int32_t ChainState = 0;
  std::int32_t PowerState = 0;
  std::uint8_t ChainActive = 0;
  std::uint8_t ExponentStart = 0;
  std::uint8_t ShiftOn = 0;
  double Accumulator = 0.0;
  double Factor = 0.0;
  double PowerBase = 0.0;
  double Operand = 0.0;
  double ChainResult = 0.0;
  double RepeatMark = 0.0;
  std::array<double, 3> Memory{0.0, 0.0, 0.0};
  // Shared with the plotter: while PlotMode is 1 a failed calculation sets
  // CalcError instead of showing a message box.
  std::uint8_t PlotMode = 0;
  std::uint8_t CalcError = 0;

 private:
  void Text1Change();
  // Appending always changes the text.
  void AppendText1(char c);
  // A key that enters or produces a number marks it for equals even when the
  // display text stays the same, so a repeated equals reads it.
  void MarkNewNumber() { RepeatMark = 1.0; }
  double ReadOperand() const;
  void SetRegister(int i, Extended value);

  void ApplyPlusMinus(std::int32_t k);
  void ApplyMultiplyDivide(std::int32_t k);
  void ApplyPowerRoot(std::int32_t k);
  Extended PendingCompletion(double n) const;
  bool FoldProductLevelPower(double x, std::int32_t k);
  Extended SumLevelPowerFactor(double x) const;
  Extended ThreeLevelFactor(double x) const;

  // The calculation guard: a failure inside work runs HandleCalcError and
  // the key ends normally.
  template <typename Work>
  void Guarded(Work work) {
    try {
      work();
    } catch (const CalcFailure&) {
      HandleCalcError();
    }
  }
  template <typename Compute>
  void FunctionKey(Compute compute);
  Extended ToRadians(Extended x) const;
  Extended FromRadians(Extended a) const;

  std::string text1_;
  std::array<std::string, 3> memoryText_{"0", "0", "0"};
  bool radians_ = true;
  MessageSink* messages_;
  CalculatorView* view_;
};

}  // namespace veltrum
