#include "cli/InterruptCatcher.h"

#include <csignal>
#include <cstddef>
#include <iterator>

namespace kelvora::cli {
namespace {

volatile std::sig_atomic_t g_caught = 0;

// The signals that stop a program: Ctrl+C, kill, a closed terminal (Windows has no SIGHUP).
constexpr int kCaughtSignals[] = {
    SIGINT,
    SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
};
using Handler = void (*)(int);
Handler g_previous[std::size(kCaughtSignals)];

void Note(int signal) {
  g_caught = 1;
  std::signal(signal, SIG_DFL);
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
  g_caught = 0;
  for (std::size_t i = 0; i < std::size(kCaughtSignals); ++i) {
    g_previous[i] = std::signal(kCaughtSignals[i], &Note);
    // Ignored by whoever started the program (nohup, a background job of a script): it stays ignored.
    if (g_previous[i] == SIG_IGN) std::signal(kCaughtSignals[i], SIG_IGN);
  }
}

InterruptCatcher::~InterruptCatcher() {
  for (std::size_t i = 0; i < std::size(kCaughtSignals); ++i)
    if (g_previous[i] != SIG_ERR) std::signal(kCaughtSignals[i], g_previous[i]);
}

bool InterruptCatcher::Caught() { return g_caught != 0; }

}  // namespace kelvora::cli
