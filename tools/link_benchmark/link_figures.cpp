// link_figures: the measuring half of the link benchmark (tools/link_benchmark/run).
//
//   link_figures sample NAME OUT
//       waits for a process whose program (first command-line word) ends in NAME, a path in
//       either spelling (Wine names a program by its Windows path, Z: standing for the root)
//       and, when WINEPREFIX is set, that runs in the same Wine prefix; then writes
//       "MONOTONIC_MS CPU_MS" to OUT every 20 ms until the process ends (processor time from
//       /proc/PID/stat, user and system).
//   link_figures report LABEL PLAN TIMES SAMPLES
//       prints one row: span from the first to the last byte against the sum of the minimum
//       pauses between them, the smallest pause margin, the number of pauses short of their
//       minimum, and the sender's processor time over the span as a share of it. TIMES holds the
//       simulator's two readings of each byte's arrival (when its read returned, and the earliest
//       the byte can have been sent); a pause is read as the widest the two allow, so a receiver
//       that falls behind on a busy machine cannot make a pause look short.
//   link_figures firmware LABEL BYTES FROM_MS TO_MS SAMPLES
//       prints one row for a firmware update of BYTES image bytes whose exchange ran from FROM_MS
//       to TO_MS on the monotonic clock (the simulator says when): the time per image byte beside
//       the wire's own (a request, the byte and its echo, ten bits each at 38400 baud), their
//       ratio, and the program's processor time over the exchange as a share of it.
#include <dirent.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

double monotonicMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

std::string programOf(const std::string& pid) {
    std::ifstream f("/proc/" + pid + "/cmdline", std::ios::binary);
    std::string first;
    std::getline(f, first, '\0');
    return first;
}

// A path with forward slashes in lower case, so Unix and Windows spellings compare equal.
std::string plain(std::string path) {
    for (char& c : path) c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
}

// The process's WINEPREFIX, empty when it has none.
std::string winePrefixOf(const std::string& pid) {
    std::ifstream f("/proc/" + pid + "/environ", std::ios::binary);
    for (std::string entry; std::getline(f, entry, '\0');)
        if (entry.compare(0, 11, "WINEPREFIX=") == 0) return entry.substr(11);
    return {};
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string findProcess(const std::string& name) {
    const std::string self = std::to_string(getpid());
    // Other runs of the same program (the end-to-end suite's, say) use prefixes of their own.
    const char* prefix = std::getenv("WINEPREFIX");
    DIR* proc = opendir("/proc");
    std::string found;
    while (dirent* e = proc ? readdir(proc) : nullptr) {
        const std::string pid = e->d_name;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
        if (endsWith(plain(programOf(pid)), plain(name)) && (!prefix || winePrefixOf(pid) == prefix)) found = pid;
    }
    if (proc) closedir(proc);
    return found;
}

// User plus system time in milliseconds; false once the process is gone.
bool cpuMs(const std::string& pid, double& ms) {
    std::ifstream f("/proc/" + pid + "/stat");
    std::string stat;
    if (!std::getline(f, stat)) return false;
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return false;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    // After the command: state is field 3; utime and stime are fields 14 and 15.
    for (int k = 3; k <= 15 && fields >> field; ++k) {
        if (k == 14) utime = std::strtoull(field.c_str(), nullptr, 10);
        if (k == 15) stime = std::strtoull(field.c_str(), nullptr, 10);
    }
    ms = 1000.0 * static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return true;
}

int sample(const std::string& name, const std::string& out) {
    std::string pid;
    for (double start = monotonicMs(); (pid = findProcess(name)).empty(); usleep(20000))
        if (monotonicMs() - start > 300000) {
            std::fprintf(stderr, "link_figures: no process %s\n", name.c_str());
            return 1;
        }
    std::FILE* f = std::fopen(out.c_str(), "w");
    if (!f) return 2;
    for (double ms = 0; cpuMs(pid, ms); usleep(20000)) std::fprintf(f, "%.3f %.3f\n", monotonicMs(), ms);
    std::fclose(f);
    return 0;
}

template <typename T>
std::vector<T> readAll(const std::string& path) {
    std::ifstream f(path);
    std::vector<T> v;
    for (T x; f >> x;) v.push_back(x);
    return v;
}

// Processor time at a moment, between the samples ("TIME CPU" pairs) around it.
double cpuAt(const std::vector<double>& samples, double t) {
    for (std::size_t i = 2; i + 1 < samples.size(); i += 2)
        if (samples[i] >= t) {
            const double t0 = samples[i - 2], c0 = samples[i - 1], t1 = samples[i], c1 = samples[i + 1];
            return t1 > t0 ? c0 + (c1 - c0) * (t - t0) / (t1 - t0) : c1;
        }
    return samples.back();
}

int report(const std::string& label, const std::string& planPath, const std::string& timesPath,
           const std::string& samplesPath) {
    const std::vector<double> plan = readAll<double>(planPath);  // bytes, pause, bytes, pause...
    const std::vector<double> readings = readAll<double>(timesPath);  // time, earliest, time, ...
    std::vector<double> times, earliest;
    for (std::size_t i = 0; i + 1 < readings.size(); i += 2) {
        times.push_back(readings[i]);
        earliest.push_back(readings[i + 1]);
    }
    const std::vector<double> samples = readAll<double>(samplesPath);  // time, cpu, time, cpu...
    std::size_t total = 0;
    for (std::size_t i = 0; i + 1 < plan.size(); i += 2) total += static_cast<std::size_t>(plan[i]);
    if (times.size() != total || times.empty() || samples.size() < 4) {
        std::printf("%-34s no figures: %zu bytes arrived of %zu, %zu samples\n", label.c_str(), times.size(), total,
                    samples.size() / 2);
        return 1;
    }
    double minimum = 0, smallestMargin = 1e9;
    int shortPauses = 0;
    std::size_t at = 0;
    for (std::size_t i = 0; i + 1 < plan.size(); i += 2) {
        const std::size_t n = static_cast<std::size_t>(plan[i]);
        const double pause = plan[i + 1];
        if (pause > 0 && at + n < times.size()) {
            minimum += pause;
            const double margin = times[at + n] - earliest[at] - pause;
            smallestMargin = std::min(smallestMargin, margin);
            if (margin < 0) ++shortPauses;
        }
        at += n;
    }
    const double first = times.front(), last = times.back();
    const double span = last - first;
    std::printf("%-34s %8.4f %10.2f ms %6d %9.1f %%\n", label.c_str(), span / minimum, smallestMargin, shortPauses,
                100.0 * (cpuAt(samples, last) - cpuAt(samples, first)) / span);
    return 0;
}

int firmware(const std::string& label, double bytes, double fromMs, double toMs, const std::string& samplesPath) {
    const std::vector<double> samples = readAll<double>(samplesPath);
    const double span = toMs - fromMs;
    if (bytes <= 0 || span <= 0 || samples.size() < 4) {
        std::printf("%-34s no figures\n", label.c_str());
        return 1;
    }
    const double wireMs = 3 * 10 * 1000.0 / 38400;
    const double perByte = span / bytes;
    std::printf("%-34s %7.3f ms/byte (wire %.3f: x %.3f) %9.1f %%\n", label.c_str(), perByte, wireMs,
                perByte / wireMs, 100.0 * (cpuAt(samples, toMs) - cpuAt(samples, fromMs)) / span);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && !std::strcmp(argv[1], "sample")) return sample(argv[2], argv[3]);
    if (argc == 6 && !std::strcmp(argv[1], "report")) return report(argv[2], argv[3], argv[4], argv[5]);
    if (argc == 7 && !std::strcmp(argv[1], "firmware"))
        return firmware(argv[2], std::atof(argv[3]), std::atof(argv[4]), std::atof(argv[5]), argv[6]);
    std::fprintf(stderr,
                 "usage: link_figures sample NAME OUT | report LABEL PLAN TIMES SAMPLES |"
                 " firmware LABEL BYTES FROM_MS TO_MS SAMPLES\n");
    return 2;
}
