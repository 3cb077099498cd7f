#pragma once

#include <functional>
#include <memory>
#include <mutex>

namespace korvel::app {

// Runs one piece of work at a time on a thread of its own and hands its result back to the
// window's thread, so that the window never waits for the work (a network share that hangs, a
// huge file). Work asked for while the previous work is still under way is skipped, not queued.
// The thread is not joined: work that hangs keeps its thread and nothing else, and the program
// can still close.
class BackgroundTask {
public:
    // What to run on the window's thread once the work is done.
    using Finish = std::function<void()>;
    using Work = std::function<Finish()>;
    // Hands a function to the window's thread; called from the work's thread.
    using Post = std::function<void(std::function<void()>)>;
    // Runs a finish on the window's thread, where nothing may throw.
    using Deliver = std::function<void(const Finish& finish)>;

    BackgroundTask(Post post, Deliver deliver);
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;
    // A finish that arrives afterwards is dropped.
    ~BackgroundTask();

    // On the window's thread. False, and nothing starts, while earlier work has not finished.
    // An exception of the work is thrown again in place of its finish, inside deliver.
    bool start(Work work);
    [[nodiscard]] bool busy() const;

private:
    // What the work's thread shares with the window's thread; it outlives the task when the
    // work does.
    struct Shared {
        std::mutex lock; // over alive, for the work's thread
        bool alive = true;
        bool busy = false; // the window's thread only
        Post post;
        Deliver deliver;
    };

    static void run(const std::shared_ptr<Shared>& shared, const Work& work);

    std::shared_ptr<Shared> m_shared;
};

} // namespace korvel::app
