// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Runs work(i) for i = 0 .. n-1 on a few worker threads while the calling thread
// receives done(i) strictly in index order, as soon as item i and every item
// before it have finished. Whatever done() does (feeding a quantizer, reporting
// progress, writing a file) therefore happens in the same order as a plain loop
// would do it, so results do not depend on how the items were scheduled.
//
// work() runs on worker threads (or on the caller when only one thread is used)
// and must only touch what belongs to item i; done() always runs on the caller.
// When done() returns false no further items are started and runOrdered returns
// false after the running ones have finished. With maxAhead > 0 no item is
// started more than maxAhead items ahead of the last one handed to done(), which
// bounds how many finished items wait for done() (and their memory).
//
// An exception thrown by work() or done() (such as std::bad_alloc) stops the
// run like a false from done(); once the running items have finished it is
// thrown again on the calling thread.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

// The threads a generation uses: one per core (at most 16), or the number in
// VEXLO_GENERATION_THREADS (1 to 64) when that is set.
inline int generationThreadCount()
{
    if (const char* forced = std::getenv("VEXLO_GENERATION_THREADS")) {
        char* end = nullptr;
        const long v = std::strtol(forced, &end, 10);
        if (end != forced && *end == '\0' && v >= 1 && v <= 64)
            return int(v);
    }
    const unsigned hw = std::thread::hardware_concurrency();
    return int(std::clamp(hw == 0 ? 1u : hw, 1u, 16u));
}

template <typename Work, typename Done>
bool runOrdered(int n, int threads, Work&& work, Done&& done, int maxAhead = 0)
{
    if (n <= 0)
        return true;
    threads = std::clamp(threads, 1, n);
    auto sequential = [&] {
        for (int i = 0; i < n; ++i) {
            work(i);
            if (!done(i))
                return false;
        }
        return true;
    };
    if (threads == 1)
        return sequential();

    std::atomic<int> next{0};
    std::atomic<bool> stop{false};
    std::vector<char> finished(size_t(n), 0);
    int handed = 0;  // items given to done()
    std::mutex mutex;
    std::condition_variable cv;      // an item finished
    std::condition_variable roomCv;  // done() took an item
    std::exception_ptr failure;      // the first exception, guarded by mutex

    auto worker = [&] {
        for (;;) {
            if (stop.load(std::memory_order_relaxed))
                return;
            const int i = next.fetch_add(1);
            if (i >= n)
                return;
            if (maxAhead > 0) {
                std::unique_lock<std::mutex> lock(mutex);
                roomCv.wait(lock, [&] { return i < handed + maxAhead || stop.load(); });
                if (stop.load())
                    return;
            }
            try {
                work(i);
            } catch (...) {
                std::lock_guard<std::mutex> lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
            }
            {
                std::lock_guard<std::mutex> lock(mutex);
                finished[size_t(i)] = 1;
            }
            cv.notify_all();
            roomCv.notify_all();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(size_t(threads));
    try {
        for (int t = 0; t < threads; ++t)
            pool.emplace_back(worker);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones already running do the work.
        if (pool.empty())
            return sequential();
    }

    bool ok = true;
    for (int i = 0; i < n && ok; ++i) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            cv.wait(lock, [&] { return finished[size_t(i)] != 0 || failure; });
            if (failure) {
                ok = false;
                break;
            }
        }
        bool accepted = false;
        try {
            accepted = done(i);
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex);
            failure = std::current_exception();
        }
        if (!accepted) {
            ok = false;
            stop = true;
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            handed = i + 1;
        }
        roomCv.notify_all();
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        stop = true;
    }
    roomCv.notify_all();
    for (std::thread& t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
    return ok;
}
