#include "engine/HelperTeam.h"

#include <algorithm>
#include <system_error>

int coresIn(const cpu_set_t& mask) { return std::max(1, CPU_COUNT(&mask)); }

int usableCores()
{
    cpu_set_t mask;
    CPU_ZERO(&mask);
    if (sched_getaffinity(0, sizeof mask, &mask) != 0)
        return std::max(1u, std::thread::hardware_concurrency());
    return coresIn(mask);
}

int teamSize(int cores, std::size_t work, std::size_t workPerMember, int cap)
{
    const std::size_t worthIt = std::max<std::size_t>(1, work / std::max<std::size_t>(1, workPerMember));
    std::size_t members = std::min<std::size_t>(worthIt, static_cast<std::size_t>(std::max(1, cores)));
    if (cap > 0)
        members = std::min<std::size_t>(members, static_cast<std::size_t>(cap));
    return static_cast<int>(members);
}

HelperTeam::~HelperTeam()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void HelperTeam::runJob(std::size_t count, int members, Call call, void* job)
{
    if (members <= 1 || count <= 1) {
        for (std::size_t item = 0; item < count; ++item)
            call(job, item, 0);
        return;
    }
    try {
        while (helpers() < members - 1) {
            const int member = helpers() + 1;
            threads_.emplace_back([this, member] { helperLoop(member); });
        }
    } catch (const std::system_error&) {
        members = helpers() + 1; // the system gives no more threads: the ones there are share the job
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        call_ = call;
        job_ = job;
        count_ = count;
        next_.store(0);
        ++generation_;
        wanted_ = members;
        open_ = true;
    }
    wake_.notify_all();
    takeItems(0);
    std::unique_lock<std::mutex> lock(mutex_);
    open_ = false;
    done_.wait(lock, [this] { return active_ == 0; });
}

void HelperTeam::takeItems(int member)
{
    for (std::size_t item = next_.fetch_add(1); item < count_; item = next_.fetch_add(1))
        call_(job_, item, member);
}

void HelperTeam::helperLoop(int member)
{
    std::uint64_t seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || (open_ && generation_ != seen && member < wanted_); });
        if (stopping_)
            return;
        seen = generation_;
        ++active_;
        lock.unlock();
        takeItems(member);
        lock.lock();
        if (--active_ == 0)
            done_.notify_one();
    }
}
