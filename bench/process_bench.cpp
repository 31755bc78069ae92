// Whole conversions as the user runs them: one process turns one BMP file
// into one JPEG file. Our console program and libjpeg-turbo's cjpeg get the
// same input; each run reports the child's processor time and its peak
// resident memory.
//
//   process_bench --export=PROGRAM --cjpeg=PROGRAM --work=DIR IN.bmp... [benchmark flags]
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct ChildUsage {
    bool ok = false;
    double cpuSeconds = 0;
    long peakKilobytes = 0;
};

ChildUsage RunChild(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return {};
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, seconds(usage.ru_utime) + seconds(usage.ru_stime),
            usage.ru_maxrss};  // kilobytes on Linux
}

// Times are the child's own user and system time, so that other work on the
// machine disturbs them less than the wall clock would.
void RunConversion(benchmark::State& state, std::vector<std::string> command) {
    long peak = 0;
    for (auto _ : state) {
        const ChildUsage u = RunChild(command);
        if (!u.ok) {
            state.SkipWithError("the conversion failed");
            break;
        }
        state.SetIterationTime(u.cpuSeconds);
        peak = std::max(peak, u.peakKilobytes);
    }
    state.counters["peak_kb"] = static_cast<double>(peak);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string exporter, cjpeg;
    std::filesystem::path work = ".";
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a.starts_with("--export=")) exporter = a.substr(9);
        else if (a.starts_with("--cjpeg=")) cjpeg = a.substr(8);
        else if (a.starts_with("--work=")) work = a.substr(7);
        else inputs.emplace_back(a);
    }
    for (const auto& in : inputs) {
        const std::string stem = in.stem().string();
        const std::string ours = (work / (stem + "-ours.jpg")).string();
        const std::string theirs = (work / (stem + "-cjpeg.jpg")).string();
        if (!exporter.empty()) {
            benchmark::RegisterBenchmark(("Export/" + stem).c_str(), RunConversion,
                                         std::vector<std::string>{exporter, "jpeg", in.string(), ours})
                ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
        }
        if (!cjpeg.empty()) {
            // What cjpeg does by default, spelled out: quality 75, 4:2:0, baseline, integer DCT.
            benchmark::RegisterBenchmark(("Cjpeg/" + stem).c_str(), RunConversion,
                                         std::vector<std::string>{cjpeg, "-quality", "75", "-sample", "2x2",
                                                                  "-baseline", "-dct", "int", "-outfile",
                                                                  theirs, in.string()})
                ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
