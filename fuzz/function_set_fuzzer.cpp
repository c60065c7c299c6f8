// Function-set files as anyone may have written them. Every input is read
// both from memory and from a file: both readers give the same set or the
// same refusal, which names a line of the text. A set that is read is saved,
// and the file saved holds exactly the set's text and reads as the same set.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>

#include "plotter/function_set.h"
#include "plotter/function_set_reader.h"

namespace {

using veltrum::FunctionSet;
using veltrum::SetRefusal;
using SetOrRefusal = std::variant<FunctionSet, SetRefusal>;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

bool Same(const SetOrRefusal& a, const SetOrRefusal& b) {
  if (a.index() != b.index()) return false;
  if (const auto* set = std::get_if<FunctionSet>(&a)) return *set == std::get<FunctionSet>(b);
  return std::get<SetRefusal>(a).message == std::get<SetRefusal>(b).message;
}

std::size_t LineCount(std::string_view text) {
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n';
  return lines;
}

// "Строка N: ..." with N a line of the text.
void CheckRefusal(const SetRefusal& refusal, std::string_view text) {
  constexpr std::string_view kLine = "Строка ";
  const std::string& m = refusal.message;
  if (m.compare(0, kLine.size(), kLine) != 0) Fail("a refusal that names no line");
  const std::size_t colon = m.find(": ", kLine.size());
  if (colon == std::string::npos || colon == kLine.size()) Fail("a refusal without its line number");
  const unsigned long line = std::strtoul(m.c_str() + kLine.size(), nullptr, 10);
  if (line < 1 || line > LineCount(text)) Fail("a refusal names a line the text does not have");
  if (!veltrum::IsUtf8(m)) Fail("a refusal that is not UTF-8");
}

// A file the process keeps for its inputs, without touching the disk.
const std::string& InputPath() {
  static const std::string path = [] {
    const int fd = ::memfd_create("function-set", 0);
    if (fd < 0) Fail("no memfd");
    return "/proc/self/fd/" + std::to_string(fd);
  }();
  return path;
}

void WriteInput(std::string_view bytes) {
  std::ofstream out(InputPath(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) Fail("the input could not be written");
}

const std::string& SavePath() {
  static const std::string path = [] {
    const char* shm = "/dev/shm";
    const std::string folder = ::access(shm, W_OK) == 0 ? shm : "/tmp";
    return folder + "/function-set-fuzz-" + std::to_string(::getpid()) + ".vfs";
  }();
  return path;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const SetOrRefusal read = veltrum::ReadFunctionSet(text);
  WriteInput(text);
  if (!Same(read, veltrum::LoadFunctionSet(InputPath()))) Fail("the file reader and the text reader disagree");

  if (const auto* refusal = std::get_if<SetRefusal>(&read)) {
    CheckRefusal(*refusal, text);
    return 0;
  }
  const FunctionSet& set = std::get<FunctionSet>(read);
  if (set.expressions.size() > veltrum::kMaxSetFunctions) Fail("more functions than the list holds");

  const std::string written = veltrum::FunctionSetText(set);
  if (!veltrum::SaveFunctionSet(set, SavePath())) Fail("the set could not be saved");
  if (FileBytes(SavePath()) != written) Fail("the saved file is not the set's text");
  const SetOrRefusal again = veltrum::LoadFunctionSet(SavePath());
  ::unlink(SavePath().c_str());
  if (!Same(read, again)) Fail("a saved set reads back as another");
  return 0;
}
