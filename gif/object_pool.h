// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Vexlo developers
#pragma once
// Things worth keeping from one task to the next (scratch pictures, buffers,
// tables), handed between the threads of a generation: take() gives one that
// is not in use, or an empty T when there is none; give() puts it back.
#include <mutex>
#include <utility>
#include <vector>

template <typename T>
class ObjectPool {
public:
    T take()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (free_.empty())
            return T();
        T item = std::move(free_.back());
        free_.pop_back();
        return item;
    }
    void give(T item)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        free_.push_back(std::move(item));
    }

private:
    std::mutex mutex_;
    std::vector<T> free_;
};
