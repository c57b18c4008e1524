#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

// Calls work(i) for every i below count, spread over up to four of the machine's cores, the
// calling thread among them; returns when every call is done. work must be safe to call at once
// for different i. Where no thread can be started, the calling thread does it all.
template <class Work> void onEveryCore(std::size_t count, const Work& work) {
    constexpr std::size_t kStep = 16;
    constexpr unsigned kMostThreads = 4;
    std::atomic<std::size_t> next{0};
    auto run = [&] {
        for (std::size_t first; (first = next.fetch_add(kStep)) < count;)
            for (std::size_t i = first; i < std::min(count, first + kStep); ++i)
                work(i);
    };
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    const std::size_t helpers = std::min<std::size_t>(cores - 1, count / kStep);
    std::vector<std::thread> threads;
    for (std::size_t k = 0; k < helpers; ++k) {
        try {
            threads.emplace_back(run);
        } catch (const std::system_error&) {
            break;
        }
    }
    run();
    for (std::thread& thread : threads)
        thread.join();
}
