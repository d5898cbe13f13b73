// Programs started the Windows way: CreateProcessA with the output going to
// inherited file handles, the console's Ctrl-C event, TerminateProcess.

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "tests/support/run_support.h"

namespace {

// Exit codes from here on are the exceptions that ended a program (an access
// violation, say), not statuses it gave.
constexpr DWORD FIRST_EXCEPTION_CODE = 0xC0000000;

// This process takes no notice of the Ctrl-C it sends its programs.
BOOL WINAPI ignoreInterrupt(DWORD event) { return event == CTRL_C_EVENT ? TRUE : FALSE; }

// Gives this process, once, a console of its own that every program it
// starts from then on shares, so that a Ctrl-C event reaches them: the
// console wine gives a program started without a terminal carries no such
// events, a console made by AllocConsole does.
void shareAConsoleThatCarriesInterrupts() {
  static const DWORD failure = [] {
    FreeConsole();
    if (!AllocConsole() || !SetConsoleCtrlHandler(ignoreInterrupt, TRUE)) return GetLastError();
    return DWORD{ERROR_SUCCESS};
  }();
  if (failure != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot make a console to share with the programs started: error "
                  << failure;
  }
}

// `argument` as the C runtime of the started program reads it back from
// its command line: quoted when it is empty or holds blanks or quotes, with
// the backslashes before a quote doubled.
std::string quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
    return argument;
  }
  std::string text = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    text += c;
  }
  text.append(2 * backslashes, '\\');
  return text + "\"";
}

// A file the started program inherits as its standard input or output.
HANDLE inheritedFile(const std::string& path, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                            creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot open " << path;
  return file;
}

// What a program gave its C runtime to write in text mode, from what the
// runtime wrote: every "\n" as "\r\n". A "\n" without its "\r" was not
// written so, and fails the test.
std::string untranslated(const std::string& written, const char* stream) {
  std::string text;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n') continue;
    if (written[i] == '\n' && (i == 0 || written[i - 1] != '\r')) {
      ADD_FAILURE() << "a line end without \"\\r\" at byte " << i << " of " << stream;
    }
    text += written[i];
  }
  return text;
}

HANDLE processOf(std::intptr_t child) { return reinterpret_cast<HANDLE>(child); }

}  // namespace

StartedProgram::StartedProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::filesystem::path& workDirectory, bool interruptible,
                               const std::string& inputPath) {
  if (interruptible) shareAConsoleThatCarriesInterrupts();
  std::string commandLine = quoted(program);
  for (const std::string& argument : arguments) commandLine += " " + quoted(argument);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput =
      inheritedFile(inputPath.empty() ? "NUL" : inputPath, GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = inheritedFile(capture_.path("stdout"), GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = inheritedFile(capture_.path("stderr"), GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION started{};
  std::string directory = workDirectory.string();
  bool ok = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                           directory.c_str(), &startup, &started);
  for (HANDLE file : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  if (!ok) {
    ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
    return;
  }
  CloseHandle(started.hThread);
  child_ = reinterpret_cast<std::intptr_t>(started.hProcess);
}

StartedProgram::~StartedProgram() {
  if (child_ != -1) wait(0);
}

void StartedProgram::interrupt() {
  if (child_ != -1 && !GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
    ADD_FAILURE() << "cannot send Ctrl-C: error " << GetLastError();
  }
}

RunResult StartedProgram::wait(double seconds) {
  RunResult result;
  if (child_ == -1) return result;
  HANDLE process = processOf(child_);
  DWORD milliseconds = static_cast<DWORD>(std::ceil(seconds * 1000));
  if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the program did not end within " << seconds << " s";
    TerminateProcess(process, FIRST_EXCEPTION_CODE);
    WaitForSingleObject(process, INFINITE);
  }
  DWORD code = FIRST_EXCEPTION_CODE;
  GetExitCodeProcess(process, &code);
  if (code < FIRST_EXCEPTION_CODE) result.status = static_cast<int>(code);
  CloseHandle(process);
  child_ = -1;
  result.out = untranslated(readFile(capture_.path("stdout")), "standard output");
  result.err = untranslated(readFile(capture_.path("stderr")), "standard error");
  return result;
}
