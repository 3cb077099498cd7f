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
#include <filesystem>
#include <functional>
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
    void dynamicPsFromFile() {
        settings().setText("ED1F", "dps.txt");
        settings().setFlag("CBD1FF", true);
        settings().setFlag("DPS1EN", true);
        folder.write("dps.txt", "Dynamic");
    }
    // The playout software writes a title: each write is a file two seconds newer.
    void playout(const char* file, std::string_view title) {
        m_time += 2;
        folder.write(file, title, m_time);
    }
    // The radiotexts and dynamic PS texts written to the encoder since the last look, as their
    // loading transactions carry them.
    std::vector<std::string> aired() {
        std::vector<std::string> texts;
        for (const auto& write : library.writes) {
            const auto& block = write.block;
            const bool dynamicPs = block[0] == 0x76;
            if (block.size() > 2 && block[1] == 0 && (block[0] == 0x1F || dynamicPs)) {
                std::string text(block.begin() + 2, block.end() - (dynamicPs ? 1 : 0));
                texts.push_back(text.erase(text.find_last_not_of(' ') + 1));
            }
        }
        library.writes.clear();
        return texts;
    }
    std::string status() { return settings().text("StatusBar1"); }
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
    std::int64_t m_time = fakes::TempFolder::kSomeTime;
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

// The playout software leaves nothing to read: the last titles stay on air and in the window,
// nothing goes to the encoder, and the status bar says once which source looked where. The
// next title is taken as soon as there is one.
TEST_F(SourcePollTest, ASourceWithNothingToReadKeepsTheLastTitleOnAir) {
    const std::string rt = folder.path("rt.txt");
    const std::string dps = folder.path("dps.txt");
    const std::string stays = "; the last title stays";
    struct Case {
        const char* name;
        std::function<void()> situation;
        std::vector<std::string> aired;
        std::string rt1;
        std::string dps1b;
        std::string status;
    };
    const auto gone = [](const std::string& file) { return [file] { std::filesystem::remove(file); }; };
    // clang-format off
    const Case cases[] = {
        {"radiotext file vanished", gone(rt), {}, "Title", "Dynamic",
         "Radiotext source: no file matches " + rt + stays},
        {"dynamic PS file vanished", gone(dps), {}, "Title", "Dynamic",
         "Dynamic PS source: no file matches " + dps + stays},
        {"one file for both sources vanished", [&] { settings().setText("ED1F", "rt.txt"); gone(rt)(); },
         {}, "Title", "Dynamic", "Radiotext and Dynamic PS sources: no file matches " + rt + stays},
        {"empty file", [&] { playout("rt.txt", ""); }, {}, "Title", "Dynamic",
         "Radiotext source: no title in " + rt + stays},
        {"blank line, first-line mode",
         [&] { settings().setChoice("RGR1L", 0); playout("rt.txt", "   \nNext\n"); },
         {}, "Title", "Dynamic", "Radiotext source: no title in " + rt + stays},
        {"blank line, last-line mode", [&] { playout("dps.txt", "Next\n \n"); }, {}, "Title", "Dynamic",
         "Dynamic PS source: no title in " + dps + stays},
        {"empty after cutting", [&] { settings().setInteger("SER1EN", 5); playout("rt.txt", "Later"); },
         {}, "Title", "Dynamic", "Radiotext source: no title in " + rt + stays},
        {"unreadable file", [&] { settings().setFlag("CBD1FF", false); fileSystem->failReading = true; },
         {}, "Title", "Dynamic", "Radiotext source: cannot read " + rt + "; trying again"},
        {"radiotext file vanished while a new dynamic PS title comes",
         [&] { gone(rt)(); playout("dps.txt", "Next"); },
         {"Next"}, "Title", "Next", "Radiotext source: no file matches " + rt + stays},
        {"file back with the same title", [&] { gone(rt)(); tick(); playout("rt.txt", "Title"); },
         {}, "Title", "Dynamic", "Ready"},
        {"file back with a new title", [&] { playout("dps.txt", ""); tick(); playout("dps.txt", "Next"); },
         {"Next"}, "Title", "Next", "Ready"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fileSystem->failReading = false;
        start(false);
        dynamicPsFromFile();
        tick();
        ASSERT_EQ(aired(), (std::vector<std::string>{"Title", "Dynamic"}));
        const std::string firstRow = settings().cell("DPS1", 0);
        c.situation();
        tick();
        EXPECT_EQ(aired(), c.aired);
        EXPECT_EQ(settings().text("RT1"), c.rt1);
        EXPECT_EQ(settings().text("DPS1B"), c.dps1b);
        EXPECT_EQ(settings().cell("DPS1", 0) == firstRow, c.dps1b == "Dynamic");
        EXPECT_EQ(status(), c.status);
        settings().setText("StatusBar1", "Elsewhere");
        tick();
        EXPECT_EQ(status(), "Elsewhere") << "told once, not at every poll";
        EXPECT_EQ(aired(), std::vector<std::string>{});
    }
}

// The result of what the operator just did stays in view; the message comes a little later.
TEST_F(SourcePollTest, ASourceMessageWaitsWhileTheOperatorsResultShows) {
    start(false);
    tick();
    clock.advance(1s);
    library.sendSucceeds = false;
    panel().events().click("BSEND1");
    ASSERT_EQ(status(), "!Ready");
    std::filesystem::remove(folder.path("rt.txt"));
    clock.advance(4s);
    tick();
    EXPECT_EQ(status(), "!Ready");
    clock.advance(1s);
    tick();
    EXPECT_EQ(status().rfind("Radiotext source: no file matches ", 0), 0u) << status();
}

// With "Fallback after" 10 minutes: the fallback goes on air as the source's own text, once,
// when no new title has come for 10 minutes; the next title replaces it. Off, it never comes.
TEST_F(SourcePollTest, TheFallbackComesAfterTheChosenTimeWithoutANewTitle) {
    struct Step {
        const char* name;
        std::chrono::seconds after; // since the step before
        const char* file;           // what the playout software writes then; none: nothing
        std::vector<std::string> aired;
        std::vector<std::string> airedWhenOff;
        const char* fallback = nullptr; // the operator's new fallback text, typed meanwhile
    };
    using Texts = std::vector<std::string>;
    const Step steps[] = {
        {"a title", 0s, "Title", {"Now: Title"}, {"Now: Title"}},
        {"before 10 minutes: nothing", 599s, nullptr, {}, {}},
        {"at 10 minutes: the fallback", 1s, nullptr, {"Radio Korvel"}, {}},
        {"only once, also when its text is edited", 600s, nullptr, {}, {}, "Radio Korvel FM"},
        {"the same title again is no new title", 3s, "Title", {}, {}},
        {"a new title replaces it", 3s, "Next", {"Now: Next"}, {"Now: Next"}},
        {"nothing to read for a while", 300s, "", {}, {}},
        {"10 minutes after the last title", 300s, nullptr, {"Radio Korvel FM"}, {}},
        {"the fallback shows until the next title", 3s, "Next", {}, {}},
    };
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on ? "on" : "off");
        start(false);
        settings().setText("ER1PR", "Now: ");
        settings().setFlag("CBR1FB", on);
        settings().setInteger("SER1FB", 10);
        settings().setText("ER1FB", "Radio Korvel");
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            clock.advance(step.after);
            if (step.file != nullptr) {
                playout("rt.txt", step.file);
            }
            if (step.fallback != nullptr) {
                settings().setText("ER1FB", step.fallback);
            }
            tick();
            const Texts& expected = on ? step.aired : step.airedWhenOff;
            EXPECT_EQ(aired(), expected);
            if (!expected.empty()) {
                EXPECT_EQ(settings().text("RT1"), expected.back());
            }
        }
    }
}

// Closed while the fallback was on air: after the start the old title in the file is still no
// new one, and the fallback the window shows is not sent again.
TEST_F(SourcePollTest, AFallbackOnAirBeforeARestartIsNotSentAgain) {
    start(false);
    settings().program().rtFromFile = "Title";
    settings().setText("RT1", "Radio Korvel");
    settings().setFlag("CBR1FB", true);
    settings().setText("ER1FB", "Radio Korvel");
    tick();
    clock.advance(10min);
    tick();
    EXPECT_EQ(aired(), std::vector<std::string>{});
    EXPECT_EQ(settings().text("RT1"), "Radio Korvel");
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
