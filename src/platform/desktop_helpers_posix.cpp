// The desktop's helper programs, started with our text on their standard input or command
// line and never holding our standard output.
#include "platform/desktop_helpers_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/locale_text_posix.h"
#include "platform/utf8.h"
#include "platform/write_all_posix.h"

extern char** environ;  // NOLINT(readability-redundant-declaration): only glibc declares it

namespace {

constexpr int kClipboardWaitMs = 1500;
// What zenity is told to exit with when it is closed without OK: a status GTK never gives.
constexpr int kZenityClosed = 3;

bool HasValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

long ElapsedMs(const timespec& since) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return ((now.tv_sec - since.tv_sec) * 1000) + ((now.tv_nsec - since.tv_nsec) / 1000000);
}

// Starts a helper program found on PATH with `input` on its standard input and /dev/null
// as its standard output and error, so that it never holds our standard output open.
// Returns its exit status, or -1 when it could not be started, failed to take the input, was
// killed or did not finish within `waitMs` (a negative `waitMs` waits as long as it takes).
int RunHelper(const std::vector<std::string>& args, std::string_view input, long waitMs,
              char** env = environ) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  // One thread, so no other spawn can slip in before the flags are set (pipe2 is Linux's).
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  fcntl(fds[1], F_SETFD, FD_CLOEXEC);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[0]);
  if (spawned != 0) {
    close(fds[1]);
    return -1;
  }

  // A helper that exits without reading must not kill us with SIGPIPE.
  sigset_t pipeSignal;
  sigset_t previous;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  sigprocmask(SIG_BLOCK, &pipeSignal, &previous);
  const int writeError = WriteAll(fds[1], input);
  if (writeError == EPIPE) {
    const timespec zero{};
    sigtimedwait(&pipeSignal, nullptr, &zero);
  }
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  close(fds[1]);

  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  int status = 0;
  while (true) {
    const pid_t done = waitpid(pid, &status, waitMs < 0 ? 0 : WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return -1;
    if (waitMs >= 0) {
      // Left running rather than killed: a slow helper may still deliver the text.
      if (ElapsedMs(start) >= waitMs) return -1;
      const timespec pause{0, 2L * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
  }
  if (writeError != 0 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::u16string WithoutCarriageReturns(std::u16string_view text) {
  std::u16string out;
  for (char16_t c : text) {
    if (c != u'\r') out += c;
  }
  return out;
}

}  // namespace

bool ShowInDialogHelper(std::u16string_view text, std::u16string_view caption) {
  if (!HasValue("DISPLAY") && !HasValue("WAYLAND_DISPLAY")) return false;
  const std::string body = Encode(WithoutCarriageReturns(text));
  const std::string title = Encode(caption);
  // Closed by Escape or the window's button, zenity exits with the status ZENITY_ESC names, 1
  // by default; but GTK exits with 1 too when it cannot reach the display, and says so only in
  // words that change from one GTK to the next. So Escape gets a status of its own, and the
  // user's other ZENITY_ settings are left out, which keeps OK at 0.
  std::string escape = "ZENITY_ESC=" + std::to_string(kZenityClosed);
  // The C locale's text is UTF-8 here, but a helper under it takes ASCII only.
  const bool ascii = LocaleIsAscii();
  std::string utf8Locale[] = {"LC_ALL=C.UTF-8", "LANG=C.UTF-8"};
  std::vector<char*> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view name(*entry, std::strcspn(*entry, "="));
    if (name.starts_with("ZENITY_") || (ascii && (name == "LC_ALL" || name == "LANG"))) continue;
    env.push_back(*entry);
  }
  env.push_back(escape.data());
  if (ascii) {
    for (std::string& setting : utf8Locale) env.push_back(setting.data());
  }
  env.push_back(nullptr);
  // Closed by OK (0), by Escape or the window's button (kZenityClosed, kdialog 2) or by
  // zenity's timeout (5), it was shown. Other statuses are the helper's own errors or GTK's
  // (zenity 255 and 1; kdialog 1 for a bad option, 254 in old versions, an abort without a
  // display), and the next one tries.
  const int zenity =
      RunHelper({"zenity", "--info", "--no-markup", "--title=" + title, "--text=" + body}, {}, -1,
                env.data());
  if (zenity == 0 || zenity == kZenityClosed || zenity == 5) return true;
  const int kdialog =
      RunHelper({"kdialog", "--title", title, "--msgbox", body}, {}, -1, env.data());
  return kdialog == 0 || kdialog == 2;
}

bool CopyWithClipboardHelper(std::u16string_view text) {
  const std::string utf8 = EncodeUtf8(text);
  std::vector<std::vector<std::string>> helpers;
  if (HasValue("WAYLAND_DISPLAY")) helpers.push_back({"wl-copy"});
  if (HasValue("DISPLAY")) {
    helpers.push_back({"xclip", "-selection", "clipboard"});
    helpers.push_back({"xsel", "--clipboard", "--input"});
  }
  helpers.push_back({"pbcopy"});  // macOS; elsewhere it is simply not found
  return std::any_of(helpers.begin(), helpers.end(), [&utf8](const auto& helper) {
    return RunHelper(helper, utf8, kClipboardWaitMs) == 0;
  });
}
