// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
// Screen grabbing speed on an X server (run under xvfb-run):
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./bench_capture
//       grab + conversion per frame at 310x250, 800x600 and 1920x1080, with the
//       pointer track off (mode 0) and on (mode 2: square and pointer image);
//   xvfb-run -a -s "-screen 0 1920x1080x24" ./bench_capture --recording[=SECONDS]
//       a recording of the whole 1920x1080 screen at 25 frames per second with
//       the worker (default 60 s): the share of frames that started within 10 ms
//       of their due time (one interval after the previous start), the median
//       and worst grab time, and the process CPU time as a share of one core.
//       The worker keeps the last ten seconds (250 frames of 6 MB). With
//       --discard every grab goes into one reused picture and the worker keeps
//       a 1x1 stand-in, which separates the cost of grabbing from the cost of
//       giving fresh memory to every kept frame.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "capture/worker_thread.h"
#include "imaging/raster_image.h"
#include "platform/x11_screen_grabber.h"
#include "res/resource.h"

namespace {

// The display, opened once (a freshly started server may need a moment).
X11ScreenGrabber* sharedGrabber(std::string& why)
{
    static std::unique_ptr<X11ScreenGrabber> grabber;
    for (int attempt = 0; !grabber && attempt < 50; ++attempt) {
        grabber = X11ScreenGrabber::open(&why);
        if (!grabber)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return grabber.get();
}

void BM_Grab(benchmark::State& state)
{
    std::string why;
    X11ScreenGrabber* grabber = sharedGrabber(why);
    if (!grabber) {
        state.SkipWithError(why.c_str());
        return;
    }
    const int w = int(state.range(0));
    const int h = int(state.range(1));
    const int mode = int(state.range(2));
    RasterImage img;
    for (auto _ : state) {
        if (!grabber->grab(GrabRect{0, 0, w, h}, mode, img)) {
            state.SkipWithError("grab failed");
            return;
        }
        benchmark::DoNotOptimize(img.bits());
    }
    state.SetLabel(grabber->usesSharedMemory() ? "XShm" : "XGetImage");
    state.SetBytesProcessed(int64_t(state.iterations()) * w * h * 4);
}
BENCHMARK(BM_Grab)
    ->ArgNames({"w", "h", "mode"})
    ->Args({310, 250, 0})
    ->Args({310, 250, 2})
    ->Args({800, 600, 0})
    ->Args({800, 600, 2})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 2})
    ->Unit(benchmark::kMillisecond);

// The conversion alone, screen rows to a 24-bit image, at 1080p.
void BM_ConvertFromScreenBits(benchmark::State& state)
{
    std::vector<uint8_t> rows(size_t(1920) * 1080 * 4, 0x5A);
    for (auto _ : state) {
        RasterImage img;
        img.fromScreenBits(rows.data(), 1920, 1080, 1920 * 4);
        benchmark::DoNotOptimize(img.bits());
    }
}
BENCHMARK(BM_ConvertFromScreenBits)->Unit(benchmark::kMillisecond);

// Times every grab the worker makes.
class TimedGrabber : public ScreenGrabber {
public:
    TimedGrabber(std::unique_ptr<ScreenGrabber> inner, bool discard)
        : inner_(std::move(inner)), discard_(discard)
    {
        starts.reserve(4096);
    }
    bool grab(const GrabRect& rect, int mode, RasterImage& out) override
    {
        const auto t0 = std::chrono::steady_clock::now();
        bool ok = inner_->grab(rect, mode, discard_ ? scratch_ : out);
        const auto t1 = std::chrono::steady_clock::now();
        if (ok && discard_)
            ok = out.create(1, 1, 24);
        starts.push_back(std::chrono::duration<double, std::milli>(t0.time_since_epoch()).count());
        grabMs.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        return ok;
    }
    bool canGrab() const override { return inner_->canGrab(); }
    std::vector<double> starts;
    std::vector<double> grabMs;

private:
    std::unique_ptr<ScreenGrabber> inner_;
    bool discard_;
    RasterImage scratch_;
};

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int runRecording(int seconds, bool discard)
{
    std::string why;
    std::unique_ptr<X11ScreenGrabber> x11;
    for (int attempt = 0; !x11 && attempt < 50; ++attempt) {
        x11 = X11ScreenGrabber::open(&why);
        if (!x11)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!x11) {
        std::fprintf(stderr, "bench_capture: %s\n", why.c_str());
        return 2;
    }
    auto timedOwned = std::make_unique<TimedGrabber>(std::move(x11), discard);
    TimedGrabber* timed = timedOwned.get();
    std::mutex mutex;
    std::condition_variable cv;
    bool stopped = false;
    CWorkerThread worker(std::move(timedOwned));
    worker.setMessageSink([&](int id, intptr_t, intptr_t) {
        if (id == UM_CAPTURE_STOPPED) {
            std::lock_guard<std::mutex> lock(mutex);
            stopped = true;
            cv.notify_all();
        }
    });
    // Keep only ten seconds so a long run does not fill the memory.
    worker.SetFrameRectangle(0, 0, 1920, 1080, 0);
    worker.startWorker();
    const double cpu0 = cpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    worker.post(UM_START_CAPTURE, 1, 1000 / 25);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    worker.post(UM_STOP_CAPTURE);
    {
        std::unique_lock<std::mutex> lock(mutex);
        cv.wait(lock, [&] { return stopped; });
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    const double cpu = cpuSeconds() - cpu0;
    worker.quitAndJoin();

    const size_t n = timed->starts.size();
    size_t onSchedule = 0;
    double worstLate = 0;
    for (size_t i = 1; i < n; ++i) {
        const double late = timed->starts[i] - timed->starts[i - 1] - 40.0;
        worstLate = std::max(worstLate, std::abs(late));
        if (std::abs(late) <= 10.0)
            ++onSchedule;
    }
    std::vector<double> sorted = timed->grabMs;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
    const double p99 = sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
    const double worst = sorted.empty() ? 0 : sorted.back();
    std::printf("recording 1920x1080 at 25 fps for %d s%s: %zu frames (%.1f fps)\n", seconds,
                discard ? " (frames discarded)" : "", n, double(n) / wall);
    std::printf(
        "ticks on schedule (start within 10 ms of previous start + 40 ms): %.2f %% (%zu of %zu), worst "
        "deviation %.1f ms\n",
        n > 1 ? 100.0 * double(onSchedule) / double(n - 1) : 0.0, onSchedule, n > 1 ? n - 1 : 0, worstLate);
    std::printf("grab + convert: median %.2f ms, 99th percentile %.2f ms, worst %.2f ms\n", median, p99,
                worst);
    std::printf("CPU of this process: %.1f %% of one core (the X server's copy is not counted)\n",
                100.0 * cpu / wall);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    bool discard = false;
    for (int i = 1; i < argc; ++i)
        discard = discard || std::strcmp(argv[i], "--discard") == 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--recording", 11) == 0) {
            int seconds = 60;
            if (argv[i][11] == '=')
                seconds = std::max(1, std::atoi(argv[i] + 12));
            return runRecording(seconds, discard);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
