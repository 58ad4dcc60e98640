// Speed of the tracer link, end to end: the headless server as a separate process on a
// pseudo-terminal, the benchmark playing the tracer on the master side; and the headless
// server's resident memory when idle.
// Run: scripts/bench --benchmark_filter='Link|Headless'   (figures in the README, "Link speed")
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/sim_packets.h"
#include "link/core/control_chars.h"
#include "link/core/link_engine.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
using lumora::sim::Reply;

double millisBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The headless server on the slave of a fresh pseudo-terminal pair: `command` is the program
// of this build and its first arguments.
class Server {
 public:
  explicit Server(std::vector<std::string> command = {"lumora-trace-server", "--headless"}) {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
      throw std::runtime_error("openpty");
    char folder[] = "/tmp/lumora-link-bench-XXXXXX";
    folder_ = mkdtemp(folder);
    fs::create_directories(folder_ / "traces");
    const std::string device = name;
    pid_ = fork();
    if (pid_ == 0) {
      const int devNull = open("/dev/null", O_WRONLY);
      dup2(devNull, 1);
      for (int fd = 3; fd < 1024; ++fd) close(fd);
      setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
      setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
      command[0] = std::string(LUMORA_BIN_DIR) + "/" + command[0];
      command.insert(command.end(), {"--device", device, "--save-dir", (folder_ / "traces").string()});
      std::vector<char*> argv;
      for (std::string& arg : command) argv.push_back(arg.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    // The server has opened the line once it leaves canonical mode.
    for (int i = 0; i < 500 && !rawMode(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  ~Server() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    close(master_);
    close(slave_);
    fs::remove_all(folder_);
  }

  // Writes `bytes`; the moment the last one was handed to the line.
  Clock::time_point send(const std::string& bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
      const ssize_t n = write(master_, bytes.data() + at, bytes.size() - at);
      if (n <= 0) throw std::runtime_error("write");
      at += static_cast<std::size_t>(n);
    }
    return Clock::now();
  }

  // Reads until a reply of `kind` is complete; `first` is when its first byte arrived.
  Reply await(Reply::Kind kind, Clock::time_point& first) {
    const auto limit = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < limit) {
      for (; !pending_.empty(); pending_.erase(pending_.begin())) {
        if (pending_.front().first.kind != kind) continue;
        first = pending_.front().second;
        Reply reply = pending_.front().first;
        pending_.erase(pending_.begin());
        return reply;
      }
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buffer[4096];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      const auto at = Clock::now();
      if (n <= 0) throw std::runtime_error("the server hung up");
      const std::string_view chunk(buffer, static_cast<std::size_t>(n));
      for (char c : chunk) {  // when each packet's FS arrived
        if (!inPacket_ && c == lumora::kFs) packetStarts_.push_back(at);
        if (c == lumora::kFs) inPacket_ = true;
        if (c == lumora::kGs) inPacket_ = false;
      }
      for (Reply& r : reader_.feed(chunk)) {
        Clock::time_point startedAt = at;
        if (r.kind == Reply::Kind::Packet && !packetStarts_.empty()) {
          startedAt = packetStarts_.front();
          packetStarts_.erase(packetStarts_.begin());
        }
        pending_.emplace_back(std::move(r), startedAt);
      }
    }
    throw std::runtime_error("no reply from the server");
  }

  // Processor time the server has used, in seconds.
  double cpuSeconds() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i == 14) user = std::stoull(field);
      if (i == 15) system = std::stoull(field);
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
  }

  // Resident memory of the server, KiB.
  double residentKib() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(in, line);)
      if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6));
    return 0;
  }

  std::size_t storedTraces() const {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_ / "traces")) ++count;
    return count;
  }

 private:
  bool rawMode() const {
    termios t{};
    return tcgetattr(master_, &t) == 0 && (t.c_lflag & ICANON) == 0;
  }

  int master_ = -1;
  int slave_ = -1;
  pid_t pid_ = -1;
  fs::path folder_;
  lumora::sim::ReplyReader reader_;
  std::vector<std::pair<Reply, Clock::time_point>> pending_;
  bool inPacket_ = false;
  std::vector<Clock::time_point> packetStarts_;
};

std::string sampleBody() {
  std::ifstream in(std::string(LUMORA_SAMPLES) + "/1002", std::ios::binary);
  return lumora::sim::traceBody(
      std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), false);
}

struct UploadTimes {
  double requestToAck = 0;     // ms from the request's last byte to the ACK
  double requestToAnswer = 0;  // ms to the first byte of the acceptance answer
  double gsToAck = 0;          // ms from the body's GS to its ACK
  bool stored = false;
};

UploadTimes upload(Server& server, const std::string& job, const std::string& body) {
  lumora::sim::RequestOptions request;
  request.job = job;
  UploadTimes times;
  Clock::time_point first;
  const auto sent = server.send(lumora::sim::traceRequest(request));
  server.await(Reply::Kind::Ack, first);
  times.requestToAck = millisBetween(sent, first);
  server.await(Reply::Kind::Packet, first);
  times.requestToAnswer = millisBetween(sent, first);
  const auto gs = server.send(body);
  server.await(Reply::Kind::Ack, first);
  times.gsToAck = millisBetween(gs, first);
  const Reply completion = server.await(Reply::Kind::Packet, first);
  times.stored = completion.bytes.find("STATUS=0") != std::string::npos;
  return times;
}

constexpr double kQuietMs = static_cast<double>(lumora::kBurstSilenceMicros) / 1000.0;
constexpr double kInitPauseMs = static_cast<double>(lumora::kInitPauseMicros) / 1000.0;

// Request answered after the quarter second of silence; body acknowledged at once.
void BM_LinkUploadLatency(benchmark::State& state) {
  Server server;
  const std::string body = sampleBody();
  double overshoot = 0, worstOvershoot = 0, gsToAck = 0, worstGsToAck = 0;
  int n = 0;
  for (auto _ : state) {
    const UploadTimes t = upload(server, std::to_string(++n), body);
    state.SetIterationTime(t.requestToAnswer / 1000.0);
    overshoot += t.requestToAnswer - kQuietMs;
    worstOvershoot = std::max(worstOvershoot, t.requestToAnswer - kQuietMs);
    gsToAck += t.gsToAck;
    worstGsToAck = std::max(worstGsToAck, t.gsToAck);
  }
  state.counters["answer_after_quiet_ms"] = overshoot / n;
  state.counters["answer_after_quiet_max_ms"] = worstOvershoot;
  state.counters["gs_to_ack_ms"] = gsToAck / n;
  state.counters["gs_to_ack_max_ms"] = worstGsToAck;
}
BENCHMARK(BM_LinkUploadLatency)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

// The initialization answer: quiet time plus the 0.33 s pause.
void BM_LinkInitLatency(benchmark::State& state) {
  Server server;
  double overshoot = 0, worst = 0;
  int n = 0;
  for (auto _ : state) {
    Clock::time_point first;
    const auto sent = server.send(lumora::sim::initRequest(false));
    server.await(Reply::Kind::Ack, first);
    server.await(Reply::Kind::Packet, first);
    const double ms = millisBetween(sent, first);
    state.SetIterationTime(ms / 1000.0);
    overshoot += ms - kQuietMs - kInitPauseMs;
    worst = std::max(worst, ms - kQuietMs - kInitPauseMs);
    ++n;
  }
  state.counters["answer_after_quiet_and_pause_ms"] = overshoot / n;
  state.counters["answer_after_quiet_and_pause_max_ms"] = worst;
}
BENCHMARK(BM_LinkInitLatency)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// Processor time of the server while the port is open and the line is silent.
void BM_LinkIdleCpu(benchmark::State& state) {
  Server server;
  for (auto _ : state) {
    const double before = server.cpuSeconds();
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(state.range(0)));
    const double wall = millisBetween(start, Clock::now()) / 1000.0;
    state.counters["idle_cpu_percent_of_a_core"] = 100.0 * (server.cpuSeconds() - before) / wall;
  }
}
BENCHMARK(BM_LinkIdleCpu)->Arg(20)->Iterations(1)->Unit(benchmark::kSecond);

// Resident memory of the headless server, port open and the line silent, after a few seconds
// of idling: lumora-trace-serverd (Qt Core and Qt Serial Port) against the tray program's
// --headless mode, which loads the display libraries too.
void BM_HeadlessIdleMemory(benchmark::State& state, std::vector<std::string> command) {
  Server server(std::move(command));
  for (auto _ : state) {
    std::this_thread::sleep_for(std::chrono::seconds(5));
    state.counters["resident_MB"] = server.residentKib() / 1024.0;
  }
}
BENCHMARK_CAPTURE(BM_HeadlessIdleMemory, serverd, std::vector<std::string>{"lumora-trace-serverd"})
    ->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_HeadlessIdleMemory, server_headless,
                  std::vector<std::string>{"lumora-trace-server", "--headless"})
    ->Iterations(1)->Unit(benchmark::kSecond);

// Uploads back to back, each under its own job number: none may be lost, memory stays flat.
void BM_LinkUploadsBackToBack(benchmark::State& state) {
  Server server;
  const std::string body = sampleBody();
  const auto count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    int answered = 0;
    double warm = 0;
    for (int i = 1; i <= count; ++i) {
      if (upload(server, std::to_string(i), body).stored) ++answered;
      if (i == count / 10) warm = server.residentKib();
    }
    state.counters["uploads"] = count;
    state.counters["stored_answers"] = answered;
    state.counters["files"] = static_cast<double>(server.storedTraces());
    state.counters["rss_growth_kib_after_first_tenth"] = server.residentKib() - warm;
  }
}
BENCHMARK(BM_LinkUploadsBackToBack)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
BENCHMARK_MAIN();
