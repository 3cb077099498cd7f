#include "app/panel/Panel.h"
#include "fakes/FaultyFileSystem.h"
#include "fakes/ManualClock.h"
#include "fakes/PanelSurroundings.h"
#include "fakes/RecordingLibrary.h"
#include "fakes/RecordingView.h"
#include "fakes/ScriptedDialogs.h"
#include "fakes/TempFolder.h"
#include "fakes/WindowQueue.h"
#include "text/CodePage.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace korvel::app {
namespace {

using namespace std::chrono_literals;

// A file system call that hangs until the test lets it go, as a network share can.
class Gate {
public:
    void pass() {
        std::unique_lock<std::mutex> lock(m_lock);
        ++m_entered;
        m_changed.notify_all();
        m_changed.wait_for(lock, 10s, [this] { return m_open; });
    }
    void open() {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_open = true;
        m_changed.notify_all();
    }
    bool waitForEntry() {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, 10s, [this] { return m_entered > 0; });
    }
    int entered() {
        const std::lock_guard<std::mutex> lock(m_lock);
        return m_entered;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    int m_entered = 0;
    bool m_open = false;
};

// The text source poll of the panel, with the files read off the window's thread and the results
// brought back through a queue that stands for the window's thread.
class SourcePollTest : public ::testing::Test, protected fakes::PanelSurroundings<> {
protected:
    void start(bool offTheWindowThread = true) {
        Panel::Services services{codePage, '.', ':', library, dialogs, clock, {}};
        services.fileSystem = fileSystem;
        if (offTheWindowThread) {
            services.postToWindow = [this](std::function<void()> call) { window.post(std::move(call)); };
        }
        m_panel = std::make_unique<Panel>(std::move(services));
        m_panel->FormCreate(view);
        auto& s = settings();
        s.program().programFolder = folder.path();
        s.setText("ER1F", "rt.txt");
        s.setFlag("CBR1FF", true);
        s.setFlag("CBRTEN", true);
        folder.write("rt.txt", "Title");
    }
    void tick() { m_panel->events().tick("Timer1"); }
    Panel& panel() { return *m_panel; }
    model::StationSettings& settings() { return m_panel->settings(); }
    std::vector<int> writtenAddresses() const {
        std::vector<int> addresses;
        for (const auto& write : library.writes) {
            addresses.push_back(write.block.at(0));
        }
        return addresses;
    }

    fakes::TempFolder folder;
    fakes::WindowQueue window;
    std::shared_ptr<fakes::FaultyFileSystem> fileSystem = std::make_shared<fakes::FaultyFileSystem>();
    std::unique_ptr<Panel> m_panel;
};

TEST_F(SourcePollTest, EveryTickPollsTheRadiotextSourceFirst) {
    start(false);
    settings().setText("ED1F", "dps.txt");
    settings().setFlag("CBD1FF", true);
    settings().setFlag("DPS1EN", true);
    folder.write("dps.txt", "Dynamic");
    tick();
    EXPECT_EQ(settings().text("RT1"), "Title");
    EXPECT_EQ(settings().text("DPS1B"), "Dynamic");
    EXPECT_EQ(writtenAddresses(), (std::vector<int>{0x1F, 0x1F, 0x76, 0x76}));
}

// The window is told what to watch: the folder and file of each active source, and nothing once
// no source is active.
TEST_F(SourcePollTest, TheWatchFollowsTheActiveSources) {
    start(false);
    std::vector<std::vector<std::string>> told;
    panel().sourcePoll().watchSources(
        [&told](const std::vector<std::string>& paths) { told.push_back(paths); });
    tick();
    tick();
    settings().setFlag("CBRTEN", false);
    tick();
    EXPECT_EQ(told, (std::vector<std::vector<std::string>>{{}, {folder.path(), folder.path("rt.txt")}, {}}));
}

TEST_F(SourcePollTest, TheWindowNeverWaitsForASourceThatHangs) {
    start();
    Gate share;
    fileSystem->duringRead = [&share] { share.pass(); };
    tick();
    ASSERT_TRUE(share.waitForEntry());
    EXPECT_TRUE(panel().sourcePoll().reading()) << "the tick came back while the share hangs";
    EXPECT_EQ(settings().text("RT1"), "");
    tick();
    share.open();
    ASSERT_TRUE(window.runWhenPosted());
    EXPECT_EQ(settings().text("RT1"), "Title");
    EXPECT_EQ(share.entered(), 1) << "the poll due while reading was skipped, not queued";
    EXPECT_FALSE(panel().sourcePoll().reading());
    folder.write("rt.txt", "Next", fakes::TempFolder::kSomeTime + 2);
    tick();
    ASSERT_TRUE(window.runWhenPosted());
    EXPECT_EQ(settings().text("RT1"), "Next");
}

// What a poll read arrives while Send pauses between its transactions: it is left alone, and
// the next poll reads the title again.
TEST_F(SourcePollTest, AResultArrivingDuringAnotherHandlerWaitsForTheNextPoll) {
    start();
    clock.advance(1s);
    tick();
    clock.duringPause = [this] { EXPECT_TRUE(window.runWhenPosted()); };
    panel().events().click("BSEND1");
    clock.duringPause = {};
    EXPECT_EQ(settings().text("RT1"), "");
    tick();
    ASSERT_TRUE(window.runWhenPosted());
    EXPECT_EQ(settings().text("RT1"), "Title");
}

TEST_F(SourcePollTest, AnErrorWhileReadingShowsInTheStatusBarAndPollingGoesOn) {
    start();
    fileSystem->duringRead = [] { throw std::runtime_error("Share went away"); };
    tick();
    ASSERT_TRUE(window.runWhenPosted());
    EXPECT_EQ(settings().text("StatusBar1"), "Share went away");
    fileSystem->duringRead = {};
    tick();
    ASSERT_TRUE(window.runWhenPosted());
    EXPECT_EQ(settings().text("RT1"), "Title");
}

// A read that outlives the panel (the program closed while a share hung) brings nothing back.
TEST_F(SourcePollTest, AReadThatOutlivesThePanelBringsNothingBack) {
    start();
    Gate share;
    fileSystem->duringRead = [&share] { share.pass(); };
    tick();
    ASSERT_TRUE(share.waitForEntry());
    EXPECT_TRUE(m_panel->FormClose());
    m_panel.reset();
    share.open();
    // The read's thread lets go of the file system last of all.
    for (int wait = 0; wait < 1000 && fileSystem.use_count() > 1; ++wait) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(fileSystem.use_count(), 1);
    EXPECT_EQ(window.waiting(), 0u);
}

} // namespace
} // namespace korvel::app
