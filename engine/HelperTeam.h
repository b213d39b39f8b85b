#pragma once
// Helper threads that share a piece of the frame's work with the main thread,
// and how many members a job is worth.
//
// The calling thread hands out a job of numbered items and takes items itself;
// a helper that wakes takes items while any are left. The caller then waits
// only for the items a helper has started, never for a helper that has not
// woken yet: on a busy machine the job goes at the caller's pace. Helpers
// sleep between jobs (they never spin), so an idle team costs nothing.
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <sched.h>
#include <thread>
#include <vector>

// The cores this process may run on (its affinity mask), at least 1.
int usableCores();
// The cores a mask lets a process run on, at least 1.
int coresIn(const cpu_set_t& mask);
// Members for a job of `work` units on `cores` cores: one per `workPerMember`
// units (at least one), never more than the cores, nor than `cap` when it is
// above 0.
int teamSize(int cores, std::size_t work, std::size_t workPerMember, int cap = 0);

class HelperTeam {
public:
    HelperTeam() = default;
    HelperTeam(const HelperTeam&) = delete;
    HelperTeam& operator=(const HelperTeam&) = delete;
    ~HelperTeam();

    // Calls work(item, member) for every item from 0 to count - 1, on the
    // calling thread (member 0) and on up to members - 1 helpers (members 1
    // and up; a member runs one item at a time); returns when every item is done.
    template <class Work>
    void run(std::size_t count, int members, Work& work)
    {
        runJob(
            count, members,
            [](void* job, std::size_t item, int member) { (*static_cast<Work*>(job))(item, member); }, &work);
    }

    // Helper threads started so far.
    int helpers() const { return static_cast<int>(threads_.size()); }

private:
    using Call = void (*)(void* job, std::size_t item, int member);
    void runJob(std::size_t count, int members, Call call, void* job);
    void helperLoop(int member);
    // Takes items of the open job until none is left.
    void takeItems(int member);

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    // The job (set while no helper is in it).
    Call call_ = nullptr;
    void* job_ = nullptr;
    std::size_t count_ = 0;
    std::atomic<std::size_t> next_{0};
    std::uint64_t generation_ = 0;
    int wanted_ = 0;    // members of the open job
    int active_ = 0;    // helpers inside it
    bool open_ = false; // helpers may still join
    bool stopping_ = false;
};
