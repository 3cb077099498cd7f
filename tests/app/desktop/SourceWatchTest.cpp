#include "app/WindowHarness.h"
#include "app/window/WindowThread.h"
#include "fakes/TempFolder.h"

#include <filesystem>

using korvel::tests::WindowHarness;

// The text source poll in the running window: the files are read on a thread of their own, and
// a change to a watched file or folder brings the next poll forward. The poll's own timer is
// stopped here, so that only the watch can bring a title.
class SourceWatchTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_folder = std::make_unique<korvel::fakes::TempFolder>();
        m_harness = std::make_unique<WindowHarness>(
            WindowHarness::Options{.postToWindow = &korvel::app::WindowThread::post});
        auto& settings = m_harness->panel.settings();
        settings.setTimerEnabled("Timer1", false);
        settings.program().programFolder = m_folder->path();
        settings.setText("ER1F", "rt*.txt");
        settings.setFlag("CBR1FF", true);
        settings.setFlag("CBRTEN", true);
        m_folder->write("rt-a.txt", "First", m_time);
    }
    void cleanup() {
        m_harness.reset();
        m_folder.reset();
    }

    void aTitleComesBackFromTheReadingThread() {
        m_harness->panel.events().tick("Timer1");
        QTRY_COMPARE(rt1(), QString("First"));
        QCOMPARE(m_harness->library.writes.size(), 2u);
    }

    void aRewrittenFileBringsThePollForward() {
        firstPoll();
        changeUntilSeen([this] { m_folder->rewrite("rt-a.txt", "Second"); }, "Second");
    }

    void aNewFileOfTheMaskBringsThePollForward() {
        firstPoll();
        changeUntilSeen([this] { write("rt-b.txt", "Second"); }, "Second");
    }

    // Playout software that writes a new file and renames it over the old one: the file that
    // takes the old one's place is watched in its turn.
    void aFileReplacedByRenameStaysWatched() {
        firstPoll();
        changeUntilSeen(
            [this] {
                write("next.tmp", "Second");
                std::filesystem::rename(m_folder->path("next.tmp"), m_folder->path("rt-a.txt"));
            },
            "Second");
        changeUntilSeen([this] { m_folder->rewrite("rt-a.txt", "Third"); }, "Third");
    }

private:
    QString rt1() { return QString::fromStdString(m_harness->panel.settings().text("RT1")); }
    void firstPoll() {
        m_harness->panel.events().tick("Timer1");
        QTRY_COMPARE(rt1(), QString("First"));
    }
    // The watch takes its paths on a thread of its own, a moment after the poll that found them: a
    // change made in that moment goes unseen (the 3-second poll, stopped here, would bring it). So
    // the change is made again until the watch has seen one, which must come within a few tries.
    template <typename Change> void changeUntilSeen(Change change, const char* expected) {
        constexpr int kTries = 5;
        constexpr int kWait_ms = 1000;
        for (int attempt = 0; attempt < kTries; ++attempt) {
            change();
            if (QTest::qWaitFor([&] { return rt1() == expected; }, kWait_ms)) {
                break;
            }
        }
        QCOMPARE(rt1(), QString(expected));
    }
    // Each write is two seconds newer than the one before.
    void write(const char* name, const char* title) {
        m_time += 2;
        m_folder->write(name, title, m_time);
    }

    std::unique_ptr<korvel::fakes::TempFolder> m_folder;
    std::unique_ptr<WindowHarness> m_harness;
    std::int64_t m_time = korvel::fakes::TempFolder::kSomeTime;
};

QTEST_MAIN(SourceWatchTest)
#include "SourceWatchTest.moc"
