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

#include "number/failure.h"
#include "number/number_texts.h"
#include "calculator/key_report.h"
#include "calculator/keys.h"
#include "calculator/state.h"
#include "messages/message_sink.h"
#include "calculator/view.h"

namespace veltrum {

inline constexpr std::string_view kCalcErrorText = "Произошла ошибка в вычислениях.";
inline constexpr std::string_view kShiftOffCaption = "2F: OFF";
inline constexpr std::string_view kShiftOnCaption = "2F: ON";
inline constexpr std::string_view kPasteRefusedText = "В буфере обмена нет числа.";

// A pasted text as a number: blanks around it ignored, "," or "." as the
// decimal separator; nothing when it is not a number.
std::optional<Extended> ReadPastedNumber(std::string_view text);

// One input of the calculator: a key as a click presses it, a finished
// number text entered as an element key enters its mass (text must be a
// number text), or a text pasted onto the display.
struct Input {
  Input(Key k) : key(k) {}  // NOLINT(google-explicit-constructor): a key is the common input
  static Input Entered(std::string_view text) { return Input(EntryKind::NumberText, text); }
  static Input Pasted(std::string_view text) { return Input(EntryKind::Paste, text); }

  EntryKind kind = EntryKind::Key;
  Key key = Key::cmd0;
  std::string_view text;

 private:
  Input(EntryKind k, std::string_view t) : kind(k), text(t) {}
};

class PlotRun;

// The state is a private base: the handlers name its variables as the rest
// of the program does, and nobody outside writes them.
class Calculator : private CalculatorState {
 public:
  explicit Calculator(MessageSink* messages = nullptr, CalculatorView* view = nullptr);

  void SetView(CalculatorView* view) { view_ = view; }
  // Told of every key handled outside a plot run, after the key.
  void SetObserver(KeyObserver* observer) { observer_ = observer; }

  // The one door in: handles a key, an entered or a pasted text as the
  // window's control would. False, with nothing changed, for a pasted text
  // that is not a number. A failure that no handler catches (a conversion
  // error left by backspace) propagates as CalcFailure; the caller shows
  // it as the event loop's error box. A key outside the key table is
  // refused the same way.
  bool Press(const Input& input);
  // How many inputs Press has taken so far: a background job that finds
  // the count unchanged knows nobody pressed, pasted or entered anything
  // meanwhile.
  std::uint64_t InputCount() const { return inputs_; }

  // A copy of the state for tests and checks; writing it changes nothing.
  CalculatorState Snapshot() const { return *this; }
  bool IsShiftOn() const { return ShiftOn; }
  // Set by a failed calculation during a PlotRun.
  bool HasCalcError() const { return CalcError; }
  // Shows the whole state again through the view: display, memory memos,
  // shift caption and angle unit.
  void RefreshView();

  const std::string& Text1() const { return text1_; }
  std::string_view ShiftCaption() const { return ShiftOn ? kShiftOnCaption : kShiftOffCaption; }
  const std::string& MemoryText(int i) const { return memoryText_[i]; }
  bool Radians() const { return radians_; }


 private:
  friend class PlotRun;

  // The digit keys cmd1..cmd9 share one handler, given the digit of the
  // key pressed.
  void ButtonClick(char digit);
  // A finished number text entered as an element key enters its mass: the
  // waiting operator is applied, the text shown unchanged, and the next
  // digit starts a new number.
  void EnterNumberText(std::string_view text);
  void SelectAngleUnit(bool radians);
  // Ctrl+V on the display.
  bool PasteNumber(std::string_view text);
  // The evaluator's fast doors, open through PlotRun (see there).
  void PressNumberKeys(std::string_view keys);
  bool EnterShownNumber(std::string_view number);

  // The calculator part of window creation.
  void FormCreate();

  // Display conversions.
  Extended ReadDisplay() const;
  void ShowValue(Extended v);
  // Sets the display text; only a real change runs Text1Change.
  void SetText1(std::string_view text);

  // Key handlers, named after their controls.
  void cmd0Click();
  void cmdpointClick();
  void cmdBackSpaceClick();
  void cmdonClick();
  void cmdceClick();
  void cmdplusClick() { PendingKey = Op::Plus; }
  void cmdminusClick() { PendingKey = Op::Minus; }
  void cmdmultiClick() { PendingKey = Op::Multiply; }
  void cmddivideClick() { PendingKey = Op::Divide; }
  void cmdstepenClick() { PendingKey = ShiftOn ? Op::Root : Op::Power; }
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

  // The first step of every key that needs the display's number.
  void ApplyPendingOperation();
  // The recovery of the calculation guard.
  void HandleCalcError();

  void PressKey(Key key);
  void Text1Change();
  // What the entry keys do once no operation is pending.
  void EnterDigit(char digit);
  void EnterZero();
  void EnterPoint();
  // Appending always changes the text.
  void AppendText1(char c);
  // A key that enters or produces a number marks it for equals even when the
  // display text stays the same, so a repeated equals reads it.
  void MarkNewNumber() { RepeatMark = true; }
  double ReadOperand();
  void SetRegister(int i, Extended value);

  // Every open chain is the accumulator A joined to one waiting term, so
  // the chain handlers and equals complete it by the same two rules.
  struct ChainTerm {
    Extended term;
    Op join;  // Plus or Minus at sum level, Multiply or Divide at product level
  };
  bool ChainOpen() const { return ChainState != ChainCode::None || PowerState != PowerCode::None; }
  // The waiting term for the last operand n; only while ChainOpen().
  ChainTerm OpenChainTerm(double n) const;
  // The simple operation a op n.
  static Extended SimpleCompletion(Op op, Extended a, Extended n);

  void ApplyPlusMinus(Op k);
  void ApplyMultiplyDivide(Op k);
  void ApplyPowerRoot(Op k);
  void ApplySimpleOrStart(double x);
  void ContinueChainWith(Op k);
  void FoldIntoFactor(Extended term, ChainCode code);
  void FoldOpenChain(double x, Op k, ChainCode plusCode, ChainCode minusCode);
  void ShowResult(Extended r);

  // Runs one key's work and tells the observer what it did; a key pressed
  // inside another key's work is part of that key.
  template <typename Work>
  void Reported(EntryKind kind, Key key, std::string_view text, Work work) {
    if (!observer_ || report_ || PlotMode) {
      work();
      return;
    }
    KeyReport report;
    report.kind = kind;
    report.key = key;
    report.text.assign(text.data(), text.size());
    report.before = *this;
    report.displayBefore = text1_;
    report_ = &report;
    try {
      work();
    } catch (...) {
      FinishReport();
      throw;
    }
    FinishReport();
  }
  void FinishReport();

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
  // The number texts the display is written and read with: a value the
  // calculator just showed and reads back costs a copy, not a conversion.
  NumberTexts texts_;
  // Working room for the sign key's new text.
  std::string negated_;
  std::array<std::string, 3> memoryText_{"0", "0", "0"};
  bool radians_ = true;
  MessageSink* messages_;
  CalculatorView* view_;
  KeyObserver* observer_ = nullptr;
  // The report of the key being handled, while there is an observer.
  KeyReport* report_ = nullptr;
  bool applying_ = false;
  std::uint64_t inputs_ = 0;
};

}  // namespace veltrum
