#include "app/panel/TextSourcePoll.h"

#include "text/LocalFileSystem.h"

namespace korvel::app {

TextSourcePoll::TextSourcePoll(Parts parts)
    : m_sources(parts.sources)
    , m_reader(std::make_shared<const text::SourceReader>(
          parts.fileSystem ? parts.fileSystem : std::make_shared<const text::LocalFileSystem>(),
          parts.sources.codePage)) {
    if (parts.postToWindow) {
        m_task.emplace(std::move(parts.postToWindow), std::move(parts.asEvent));
    }
}

void TextSourcePoll::Timer1Timer() {
    const std::optional<text::SourcePoll> poll = m_sources.startPoll();
    if (!poll) {
        follow({});
        return;
    }
    if (!m_task) {
        take(*poll, text::TextSources::read(*poll, *m_reader));
        return;
    }
    // The work holds the reader and the poll, not the window's objects, so that it may outlive them.
    m_task->start([this, reader = m_reader, poll = *poll]() -> BackgroundTask::Finish {
        text::SourceTexts texts = text::TextSources::read(poll, *reader);
        return [this, poll, texts = std::move(texts)] { take(poll, texts); };
    });
}

void TextSourcePoll::take(const text::SourcePoll& poll, const text::SourceTexts& texts) {
    m_sources.finishPoll(poll, texts);
    follow(text::TextSources::watchedPaths(poll, texts));
}

void TextSourcePoll::watchSources(PathsListener listener) {
    m_listener = std::move(listener);
    if (m_listener) {
        m_listener(m_paths);
    }
}

void TextSourcePoll::follow(std::vector<std::string> paths) {
    if (paths == m_paths) {
        return;
    }
    m_paths = std::move(paths);
    if (m_listener) {
        m_listener(m_paths);
    }
}

} // namespace korvel::app
