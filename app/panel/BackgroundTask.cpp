#include "app/panel/BackgroundTask.h"

#include <exception>
#include <thread>

namespace korvel::app {

BackgroundTask::BackgroundTask(Post post, Deliver deliver)
    : m_shared(std::make_shared<Shared>()) {
    m_shared->post = std::move(post);
    m_shared->deliver = std::move(deliver);
}

BackgroundTask::~BackgroundTask() {
    const std::lock_guard<std::mutex> lock(m_shared->lock);
    m_shared->alive = false;
}

bool BackgroundTask::busy() const {
    return m_shared->busy;
}

bool BackgroundTask::start(Work work) {
    if (m_shared->busy) {
        return false;
    }
    std::thread(&BackgroundTask::run, m_shared, std::move(work)).detach();
    m_shared->busy = true;
    return true;
}

void BackgroundTask::run(const std::shared_ptr<Shared>& shared, const Work& work) {
    Finish finish;
    try {
        finish = work();
    } catch (...) {
        finish = [error = std::current_exception()] { std::rethrow_exception(error); };
    }
    const std::lock_guard<std::mutex> lock(shared->lock);
    if (!shared->alive) {
        return;
    }
    shared->post([shared, finish = std::move(finish)] {
        // Both run on the window's thread, so the task cannot end in between.
        if (!shared->alive) {
            return;
        }
        shared->busy = false;
        if (finish) {
            shared->deliver(finish);
        }
    });
}

} // namespace korvel::app
