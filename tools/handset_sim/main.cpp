// handset-sim: a simulated OKI-900 on a pseudo-terminal. Prints the device
// to open as its first line, then one line per thing the handset saw.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "tools/handset_sim/handset_model.h"
#include "tools/handset_sim/pseudo_terminal.h"

namespace {

using namespace std::chrono_literals;
using handset_sim::Clock;

constexpr int kExitUsage = 2;
constexpr int kPollMs = 100;
constexpr int kHangUpBackoffMs = 50;
constexpr auto kReplyBudget = 500ms;

constexpr const char* kUsage =
    "usage: handset-sim [options]\n"
    "A simulated OKI-900 handset on a pseudo-terminal. The first line of output\n"
    "is the terminal device for the program to open (e.g. COM1=/dev/pts/7);\n"
    "then one line per event, in milliseconds since start.\n"
    "\n"
    "  --silent                   send no replies at all\n"
    "  --enable-reply N           answer the enable frame with N bytes (default 6)\n"
    "  --answer-from-attempt N    leave handshake attempts before N unanswered (default 1)\n"
    "  --chatter                  send a few stray bytes after every key release\n"
    "  --hang-up-after-keys N     close the line after N complete key presses and exit\n"
    "  --link PATH                also make PATH a symlink to the device (removed on exit)\n"
    "  --help                     show this text\n";

struct Options {
  HandsetBehaviour behaviour;
  bool silent = false;
  std::optional<std::string> link;
};

struct UsageError {
  std::string message;
};

unsigned ParseCount(std::string_view option, const char* text, unsigned minimum, unsigned maximum) {
  errno = 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  if (*text < '0' || *text > '9' || *end != '\0' || errno != 0 || value < minimum || value > maximum)
    throw UsageError{std::string(option) + " needs a whole number from " + std::to_string(minimum) + " to " +
                     std::to_string(maximum) + ", not '" + text + "'"};
  return static_cast<unsigned>(value);
}

// Throws UsageError; returns nullopt for --help.
std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::optional<std::string> inlineValue;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      inlineValue = std::string(arg.substr(eq + 1));
      arg = arg.substr(0, eq);
    }
    auto value = [&]() -> std::string {
      if (inlineValue) return *inlineValue;
      if (i + 1 >= argc) throw UsageError{std::string(arg) + " needs a value"};
      return argv[++i];
    };
    auto noValue = [&] {
      if (inlineValue) throw UsageError{std::string(arg) + " takes no value"};
    };
    if (arg == "--help" || arg == "-h") {
      noValue();
      return std::nullopt;
    } else if (arg == "--silent") {
      noValue();
      options.silent = true;
    } else if (arg == "--chatter") {
      noValue();
      options.behaviour.chatter = true;
    } else if (arg == "--enable-reply") {
      const unsigned n = ParseCount(arg, value().c_str(), 0, 4096);
      const HandsetBehaviour defaults;
      options.behaviour.enableReply.clear();
      for (unsigned k = 0; k < n; ++k)
        options.behaviour.enableReply.push_back(defaults.enableReply[k % defaults.enableReply.size()]);
    } else if (arg == "--answer-from-attempt") {
      options.behaviour.answerFromAttempt = ParseCount(arg, value().c_str(), 1, UINT_MAX);
    } else if (arg == "--hang-up-after-keys") {
      options.behaviour.hangUpAfterKeys = ParseCount(arg, value().c_str(), 1, UINT_MAX);
    } else if (arg == "--link") {
      options.link = value();
      if (options.link->empty()) throw UsageError{"--link needs a path"};
    } else {
      throw UsageError{"unknown option '" + std::string(argv[i]) + "'"};
    }
  }
  if (options.silent) {
    options.behaviour.attentionReply.clear();
    options.behaviour.enableReply.clear();
  }
  return options;
}

int g_signalPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(g_signalPipe[1], &byte, 1);
  errno = saved;
}

bool InstallStopSignals(std::string& error) {
  if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    error = std::string("pipe2: ") + std::strerror(errno);
    return false;
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  if (sigaction(SIGINT, &action, nullptr) != 0 || sigaction(SIGTERM, &action, nullptr) != 0 ||
      sigaction(SIGPIPE, &ignore, nullptr) != 0) {
    error = std::string("sigaction: ") + std::strerror(errno);
    return false;
  }
  return true;
}

class Link {
 public:
  ~Link() { Remove(); }

  bool Make(const std::string& path, const std::string& target, std::string& error) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
      if (!S_ISLNK(st.st_mode)) {
        error = path + " exists and is not a symlink";
        return false;
      }
      unlink(path.c_str());  // left behind by an earlier run
    }
    if (symlink(target.c_str(), path.c_str()) != 0) {
      error = "symlink " + path + ": " + std::strerror(errno);
      return false;
    }
    path_ = path;
    target_ = target;
    return true;
  }

  // Only while it is still ours.
  void Remove() {
    if (path_.empty()) return;
    std::array<char, PATH_MAX> buffer{};
    const ssize_t n = readlink(path_.c_str(), buffer.data(), buffer.size() - 1);
    if (n >= 0 && std::string(buffer.data(), static_cast<std::size_t>(n)) == target_) unlink(path_.c_str());
    path_.clear();
  }

 private:
  std::string path_;
  std::string target_;
};

void Pause(int ms) { poll(nullptr, 0, ms); }

}  // namespace

int main(int argc, char** argv) {
  const auto start = Clock::now();
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  Options options;
  try {
    auto parsed = ParseOptions(argc, argv);
    if (!parsed) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    options = std::move(*parsed);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "handset-sim: %s\ntry 'handset-sim --help'\n", e.message.c_str());
    return kExitUsage;
  }

  std::string error;
  if (!InstallStopSignals(error)) {
    std::fprintf(stderr, "handset-sim: %s\n", error.c_str());
    return 1;
  }
  handset_sim::PseudoTerminal line;
  if (!line.Open(error)) {
    std::fprintf(stderr, "handset-sim: %s\n", error.c_str());
    return 1;
  }
  Link link;
  if (options.link && !link.Make(*options.link, line.DevicePath(), error)) {
    std::fprintf(stderr, "handset-sim: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", line.DevicePath().c_str());
  std::fflush(stdout);

  handset_sim::HandsetModel model(options.behaviour);
  std::array<std::uint8_t, 256> buffer{};
  for (;;) {
    std::array<pollfd, 2> fds{{{line.Master(), POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}}};
    const int rc = poll(fds.data(), fds.size(), kPollMs);
    if (rc < 0 && errno != EINTR) {
      std::fprintf(stderr, "handset-sim: poll: %s\n", std::strerror(errno));
      return 1;
    }
    if (rc > 0 && (fds[1].revents & POLLIN)) break;  // SIGINT or SIGTERM

    handset_sim::FeedResult result;
    if (rc > 0 && (fds[0].revents & POLLIN)) {
      const ssize_t n = read(line.Master(), buffer.data(), buffer.size());
      if (n > 0) {
        result = model.Feed(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)), Clock::now());
      } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
        Pause(kHangUpBackoffMs);  // EIO: no terminal side; should not happen while we hold one
      }
    } else if (rc > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
      Pause(kHangUpBackoffMs);
    } else {
      result = model.Idle(Clock::now());
    }

    for (const auto& event : result.events) std::printf("%s\n", handset_sim::TraceLine(event, start).c_str());
    if (!result.reply.empty()) handset_sim::WriteWithin(line.Master(), result.reply, kReplyBudget);
    if (result.hangUp) {
      line.Close();
      break;
    }
  }
  std::fflush(stdout);
  return 0;
}
