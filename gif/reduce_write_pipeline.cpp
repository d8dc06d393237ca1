// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#include "gif/reduce_write_pipeline.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "gif/generation_run.h"
#include "gif/merge_stage.h"
#include "gif/palette_frame.h"
#include "gif/reduce_stage.h"
#include "gif/write_stage.h"

namespace {

// One merged frame to encode, with what it is encoded against.
struct EncodeTask {
    int merged;
    const gdImage* image;
    const gdImage* previous;
    int delay;
};

class Pipeline {
public:
    Pipeline(const std::vector<ComposedFrame>& composed, ReduceStage& reduce, WriteStage& writer,
             GenerationRun& run)
        : composed_(composed),
          reduce_(reduce),
          writer_(writer),
          run_(run),
          runs_(reduce.planRuns(composed, run)),
          frames_(composed.size()),
          encoded_(composed.size()),
          encodedDone_(composed.size(), 0),
          runDone_(runs_.size(), 0),
          // Runs reduced but not yet merged: enough to keep every thread busy.
          maxAhead_(std::max(run.threads(), 1) + 1)
    {
        kept_.reserve(composed.size());
        delays_.reserve(composed.size());
    }

    bool execute(std::string* error);

private:
    bool takeTask(std::unique_lock<std::mutex>& lock);
    void workerLoop();
    bool mergeRun(int r, std::string* error);
    bool drive(std::unique_lock<std::mutex>& lock, bool alone, int& written, std::string* error);
    void queueEncode(int e);

    const std::vector<ComposedFrame>& composed_;
    ReduceStage& reduce_;
    WriteStage& writer_;
    GenerationRun& run_;
    const std::vector<std::pair<int, int>> runs_;
    std::vector<PaletteFrame> frames_;               // by frame; emptied as soon as it is not needed
    std::vector<int> kept_;                          // merged frame -> the frame it is
    std::vector<int> delays_;                        // merged frame -> its delay so far
    std::vector<WriteStage::EncodedFrame> encoded_;  // by merged frame
    int lastFrame_ = -1;                             // the frame the next one is compared with

    // Guarded by mutex_:
    std::mutex mutex_;
    std::condition_variable workCv_;  // a task may be there
    std::condition_variable doneCv_;  // a task finished
    std::deque<EncodeTask> encodeQueue_;
    std::vector<char> encodedDone_;
    std::vector<char> runDone_;
    int nextRun_ = 0;
    int runsMerged_ = 0;
    int queued_ = 0;  // merged frames handed to encoding
    bool allQueued_ = false;
    bool stop_ = false;
    std::exception_ptr failure_;
    const int maxAhead_;
};

// Runs one task with the lock released: an encoding first (it lets a frame
// go), else the next run. False when there is nothing to do now.
bool Pipeline::takeTask(std::unique_lock<std::mutex>& lock)
{
    if (stop_)
        return false;
    // Runs `job` with the lock released and notes that it finished (`done`)
    // or why it failed.
    auto runUnlocked = [&](auto&& job, char& done) {
        lock.unlock();
        try {
            job();
            lock.lock();
            done = 1;
        } catch (...) {
            lock.lock();
            if (!failure_)
                failure_ = std::current_exception();
            stop_ = true;
            workCv_.notify_all();
        }
        doneCv_.notify_all();
        return true;
    };
    if (!encodeQueue_.empty()) {
        const EncodeTask task = encodeQueue_.front();
        encodeQueue_.pop_front();
        return runUnlocked(
            [&] {
                WriteStage::encode(*task.image, task.previous, task.delay, encoded_[size_t(task.merged)]);
            },
            encodedDone_[size_t(task.merged)]);
    }
    if (nextRun_ < int(runs_.size()) && nextRun_ < runsMerged_ + maxAhead_) {
        const int r = nextRun_++;
        return runUnlocked([&] { reduce_.reduceRun(composed_, runs_[size_t(r)], frames_); },
                           runDone_[size_t(r)]);
    }
    return false;
}

void Pipeline::workerLoop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        if (!takeTask(lock))
            workCv_.wait(lock);
    }
}

// Called with the lock held.
void Pipeline::queueEncode(int e)
{
    const gdImage* previous = e > 0 ? frames_[size_t(kept_[size_t(e) - 1])].image.get() : nullptr;
    encodeQueue_.push_back({e, frames_[size_t(kept_[size_t(e)])].image.get(), previous, delays_[size_t(e)]});
    ++queued_;
    workCv_.notify_one();
}

// Merges the frames of run r (done) into the merged list, in frame order.
bool Pipeline::mergeRun(int r, std::string* error)
{
    const int m = int(composed_.size());
    const int first = runs_[size_t(r)].first;
    for (int j = first; j < first + runs_[size_t(r)].second; ++j) {
        PaletteFrame& f = frames_[size_t(j)];
        if (!f.image)
            continue;  // could not be made: left out
        const bool same = lastFrame_ >= 0 && samePalettePicture(*frames_[size_t(lastFrame_)].image, *f.image);
        if (same) {
            delays_.back() = mergedDelay(delays_.back(), f.delay);
        } else if (kept_.empty()) {
            if (!writer_.begin(*f.image, error))
                return false;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!same && !kept_.empty())
                queueEncode(int(kept_.size()) - 1);  // its delay is complete now
            if (lastFrame_ >= 0 && lastFrame_ != kept_.back())
                frames_[size_t(lastFrame_)].image.reset();  // merged into the one before it
            if (!same) {
                kept_.push_back(j);
                delays_.push_back(f.delay);
            }
        }
        lastFrame_ = j;
        const int p = int(60 + j * 35.0 / m);
        if (p < 95)
            run_.report(p);
    }
    return true;
}

// Merges runs and writes frames as they are done, until everything is
// written or something failed; with `alone` (no threads) this thread also does
// the tasks. Called and left with the lock held.
bool Pipeline::drive(std::unique_lock<std::mutex>& lock, bool alone, int& written, std::string* error)
{
    bool ok = true;
    for (;;) {
        if (failure_)
            break;
        if (runsMerged_ < int(runs_.size()) && runDone_[size_t(runsMerged_)]) {
            const int r = runsMerged_;
            lock.unlock();
            ok = mergeRun(r, error);
            lock.lock();
            if (!ok)
                break;
            ++runsMerged_;
            workCv_.notify_all();
            if (runsMerged_ == int(runs_.size())) {
                if (kept_.empty()) {
                    setGenerationError(error, "no frame could be encoded");
                    ok = false;
                    break;
                }
                queueEncode(int(kept_.size()) - 1);
                allQueued_ = true;
                lock.unlock();
                run_.report(95);
                lock.lock();
            }
            continue;
        }
        if (written < queued_ && encodedDone_[size_t(written)]) {
            lock.unlock();
            ok = writer_.add(encoded_[size_t(written)], error);
            if (ok && written > 0) {
                // Neither an encoding nor a comparison needs it any more.
                frames_[size_t(kept_[size_t(written) - 1])].image.reset();
            }
            lock.lock();
            if (!ok)
                break;
            ++written;
            continue;
        }
        if (allQueued_ && written == int(kept_.size()))
            break;
        if (alone) {
            if (!takeTask(lock))
                break;  // nothing left that could ever finish
        } else {
            doneCv_.wait(lock);
        }
    }
    return ok;
}

bool Pipeline::execute(std::string* error)
{
    std::vector<std::thread> pool;
    const int threads = run_.threads();
    if (threads > 1) {
        try {
            for (int t = 0; t < threads; ++t)
                pool.emplace_back([this] { workerLoop(); });
        } catch (const std::system_error&) {
            // The threads there are do the work; with none, this thread does.
        }
    }

    bool ok = true;
    int written = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    try {
        ok = drive(lock, pool.empty(), written, error);
    } catch (...) {
        // Out of memory here: the threads are stopped before it goes on.
        if (!lock.owns_lock())
            lock.lock();
        if (!failure_)
            failure_ = std::current_exception();
    }
    stop_ = true;
    workCv_.notify_all();
    lock.unlock();
    for (std::thread& t : pool)
        t.join();
    if (failure_)
        std::rethrow_exception(failure_);
    if (!ok)
        return false;
    if (!allQueued_ || written != int(kept_.size())) {
        setGenerationError(error, "no frame could be encoded");
        return false;
    }
    return writer_.finish(error);
}

}  // namespace

bool reduceMergeWrite(const std::vector<ComposedFrame>& composed, ReduceStage& reduce, WriteStage& writer,
                      GenerationRun& run, std::string* error)
{
    if (composed.empty()) {
        setGenerationError(error, "no frame could be encoded");
        return false;
    }
    Pipeline pipeline(composed, reduce, writer, run);
    return pipeline.execute(error);
}
