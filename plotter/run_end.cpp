#include "plotter/run_end.h"

#include <new>

#include "calculator/calculator.h"
#include "plotter/sampling.h"
#include "plotter/sampling_workers.h"

namespace veltrum {

RunEnd RunEnd::Failed(Failure failure, std::string_view text) {
  RunEnd end;
  end.kind = Kind::Failed;
  end.failure = failure;
  end.text.assign(text.data(), text.size());
  return end;
}

RunEnd RunEnd::FailedBy(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return Failed(Failure::OutOfMemory, kOutOfMemoryText);
  } catch (const ThreadStartFailure& e) {
    return Failed(Failure::NoThread, e.what());
  } catch (const CalcFailure&) {
    return Failed(Failure::Calculation, kCalcErrorText);
  } catch (const std::exception& e) {
    return Failed(Failure::Other, e.what());
  } catch (...) {
    return Failed(Failure::Other, "unknown exception");
  }
}

bool LeaveLastSample(Calculator& calc, const RunEnd& end, std::uint64_t inputsAtStart) {
  if (!end.display || calc.InputCount() != inputsAtStart) return false;
  calc.Press(Key::cmdon);
  calc.Press(Input::Entered(*end.display));
  if (calc.IsShiftOn()) calc.Press(Key::cmdShift);
  return true;
}

}  // namespace veltrum
