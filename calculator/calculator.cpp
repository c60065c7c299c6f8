#include "calculator/calculator.h"

#include "number/number_text.h"
#include "calculator/element_keys.h"

namespace veltrum {

Calculator::Calculator(MessageSink* messages, CalculatorView* view) : messages_(messages), view_(view) {
  FormCreate();
}

// PlotMode and CalcError start clear and are left to PlotRun.
void Calculator::FormCreate() {
  SimpleOp = Op::None;
  Accumulator = 0.0;
  Operand = 0.0;
  EntryState = false;
  Memory = {0.0, 0.0, 0.0};
  ShowValue(0);
  for (int i = 0; i < 3; ++i) {
    memoryText_[i].assign(1, '0');
    if (view_) view_->MemoryTextChanged(i, memoryText_[i]);
  }
  RepeatMark = false;
  SelectAngleUnit(true);
  ShiftOn = false;
  if (view_) view_->ShiftCaptionChanged(ShiftCaption());
  PendingKey = Op::None;
}

void Calculator::RefreshView() {
  if (!view_) return;
  view_->DisplayChanged(text1_);
  view_->ShiftCaptionChanged(ShiftCaption());
  for (int i = 0; i < 3; ++i) view_->MemoryTextChanged(i, memoryText_[i]);
  view_->AngleUnitChanged(radians_);
}

void Calculator::SetText1(std::string_view text) {
  if (text == text1_) return;
  text1_.assign(text.data(), text.size());
  Text1Change();
  if (view_) view_->DisplayChanged(text1_);
}

void Calculator::AppendText1(char c) {
  text1_.push_back(c);
  Text1Change();
  if (view_) view_->DisplayChanged(text1_);
}

void Calculator::Text1Change() {
  RepeatMark = true;
  ExponentStart = false;
  PendingKey = Op::None;
}

Extended Calculator::ReadDisplay() const { return ReadNumber(text1_); }

double Calculator::ReadOperand() { return texts_.ReadDouble(text1_); }

void Calculator::ShowValue(Extended v) {
  char buf[kNumberTextCapacity];
  SetText1(std::string_view(buf, texts_.Format(Checked(v), buf)));
}

void Calculator::HandleCalcError() {
  SimpleOp = Op::None;
  EntryState = false;
  ChainState = ChainCode::None;
  PowerState = PowerCode::None;
  SetText1("0");
  if (report_ && !PlotMode) (applying_ ? report_->failedApplying : report_->failed) = true;
  if (!PlotMode) {
    if (messages_) messages_->ShowMessage(MessageKind::Error, kCalcErrorText);
  } else {
    CalcError = true;
  }
}

void Calculator::FinishReport() {
  KeyReport& report = *report_;
  report_ = nullptr;
  report.after = *this;
  report.display = text1_;
  report.radians = radians_;
  observer_->KeyHandled(report);
}

bool Calculator::Press(const Input& input) {
  switch (input.kind) {
    case EntryKind::Key:
      if (static_cast<int>(input.key) >= KeyCount()) return false;
      ++inputs_;
      Reported(EntryKind::Key, input.key, {}, [&] { PressKey(input.key); });
      return true;
    case EntryKind::NumberText:
      ++inputs_;
      EnterNumberText(input.text);
      return true;
    case EntryKind::Paste:
      return PasteNumber(input.text);
  }
  return false;
}

void Calculator::PressKey(Key key) {
  // clang-format off
  switch (key) {
    case Key::cmd0: cmd0Click(); break;
    case Key::cmd1: case Key::cmd2: case Key::cmd3: case Key::cmd4: case Key::cmd5:
    case Key::cmd6: case Key::cmd7: case Key::cmd8: case Key::cmd9:
      ButtonClick(static_cast<char>('0' + static_cast<int>(key)));
      break;
    case Key::cmdpoint: cmdpointClick(); break;
    case Key::cmdis: cmdisClick(); break;
    case Key::cmdplus: cmdplusClick(); break;
    case Key::cmdminus: cmdminusClick(); break;
    case Key::cmdmulti: cmdmultiClick(); break;
    case Key::cmddivide: cmddivideClick(); break;
    case Key::cmdstepen: cmdstepenClick(); break;
    case Key::cmdon: cmdonClick(); break;
    case Key::cmdce: cmdceClick(); break;
    case Key::cmdBackSpace: cmdBackSpaceClick(); break;
    case Key::cmdShift: cmdShiftClick(); break;
    case Key::cmdFactorial: cmdFactorialClick(); break;
    case Key::cmdsin: cmdsinClick(); break;
    case Key::cmdcos: cmdcosClick(); break;
    case Key::cmdtg: cmdtgClick(); break;
    case Key::cmdctg: cmdctgClick(); break;
    case Key::cmd1nax: cmd1naxClick(); break;
    case Key::cmdpi: cmdpiClick(); break;
    case Key::cmdln: cmdlnClick(); break;
    case Key::cmdlg: cmdlgClick(); break;
    case Key::cmdsqr: cmdsqrClick(); break;
    case Key::cmdsqrt: cmdsqrtClick(); break;
    case Key::cmdplusminus: cmdplusminusClick(); break;
    case Key::cmdM1in: case Key::cmdM2in: case Key::cmdM3in:
      MemoryInClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1in));
      break;
    case Key::cmdM1plus: case Key::cmdM2plus: case Key::cmdM3plus:
      MemoryPlusClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1plus));
      break;
    case Key::cmdM1minus: case Key::cmdM2minus: case Key::cmdM3minus:
      MemoryMinusClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1minus));
      break;
    case Key::cmdM1R: case Key::cmdM2R: case Key::cmdM3R:
      MemoryRecallClick(static_cast<int>(key) - static_cast<int>(Key::cmdM1R));
      break;
    case Key::optGrad: SelectAngleUnit(false); break;
    case Key::optRad: SelectAngleUnit(true); break;
    default: ElementClick(ElementIndex(key)); break;  // Key::FirstElement and the element keys after it
  }
  // clang-format on
}

// ---- Number entry: the digit and point keys are in entry.cpp ----

void Calculator::cmdBackSpaceClick() {
  if (PendingKey != Op::None || !EntryState) return;
  // A lone "-" left from a one-digit negative number counts as nothing left.
  if (text1_.size() == 1 || text1_ == "-" || (text1_.size() == 2 && text1_[0] == '-')) {
    SetText1("0");
    EntryState = false;
  } else {
    SetText1(std::string_view(text1_).substr(0, text1_.size() - 1));
    EntryState = true;
  }
  if (ReadDisplay() == 0.0L) EntryState = false;
}

void Calculator::cmdonClick() {
  PendingKey = Op::None;
  SimpleOp = Op::None;
  EntryState = false;
  ChainState = ChainCode::None;
  PowerState = PowerCode::None;
  SetText1("0");
}

void Calculator::cmdceClick() {
  SetText1("0");
  EntryState = false;
}

void Calculator::ElementClick(int index) {
  EnterNumberText(ElementOfKey(index).mass);
}

void Calculator::EnterNumberText(std::string_view text) {
  Reported(EntryKind::NumberText, Key::cmd0, text, [&] {
    ApplyPendingOperation();
    SetText1(text);
    EntryState = false;
    MarkNewNumber();
  });
}

}  // namespace veltrum
