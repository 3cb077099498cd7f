#pragma once

#include "app/panel/BackgroundTask.h"
#include "text/TextSources.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvel::app {

// The text source poll as the program runs it: the files are listed and read off the window's
// thread, and what they gave is taken on the window's thread as an event of its own. A poll
// that falls due while the previous one is still reading is skipped.
class TextSourcePoll {
public:
    using PathsListener = std::function<void(const std::vector<std::string>& paths)>;

    struct Parts {
        text::TextSources::Parts sources;
        std::shared_ptr<const text::FileSystem> fileSystem;
        BackgroundTask::Post postToWindow; // none: the files are read on the window's thread
        // Takes what a poll read as an event of the window, or drops it while another handler runs.
        BackgroundTask::Deliver asEvent;
    };

    explicit TextSourcePoll(Parts parts);

    void Timer1Timer();
    // The operator has just pressed a button: its result stays in the status bar for a while.
    void operatorActed() { m_sources.operatorActed(); }

    // Told the folders and files of the active sources whenever they change, so that the window
    // can bring the next poll forward when one of them changes.
    void watchSources(PathsListener listener);
    [[nodiscard]] bool reading() const { return m_task && m_task->busy(); }

private:
    void take(const text::SourcePoll& poll, const text::SourceTexts& texts);
    void follow(std::vector<std::string> paths);

    text::TextSources m_sources;
    std::shared_ptr<const text::SourceReader> m_reader;
    std::vector<std::string> m_paths;
    PathsListener m_listener;
    std::optional<BackgroundTask> m_task; // last: it ends before what its finish uses
};

} // namespace korvel::app
