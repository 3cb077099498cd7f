#include "text/TextSources.h"

#include "fakes/FaultyFileSystem.h"
#include "fakes/ManualClock.h"
#include "fakes/RecordingTextWriter.h"
#include "fakes/TempFolder.h"
#include "model/StationSettings.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"
#include "text/RadiotextRotation.h"
#include "text/TitleCleanup.h"

#include <functional>
#include <gtest/gtest.h>

namespace korvel::text {
namespace {

using Texts = std::vector<std::string>;
using Settings = model::StationSettings;

class TextSourcesTest : public ::testing::Test {
protected:
    TextSourcesTest() { fresh(); }

    // A fresh window whose sources read rt.txt and dps.txt in the program's folder.
    void fresh() {
        settings.reset();
        settings.program().programFolder = folder.path();
        settings.setText("ER1F", "rt.txt");
        settings.setText("ED1F", "dps.txt");
        writer = fakes::RecordingTextWriter();
    }

    static void radiotextFromFile(Settings& s) {
        s.setFlag("CBR1FF", true);
        s.setFlag("CBRTEN", true);
    }
    static void dynamicPsFromFile(Settings& s) {
        s.setFlag("CBD1FF", true);
        s.setFlag("DPS1EN", true);
    }
    // The playout software writes a title: each write is a file two seconds newer.
    void playout(const char* file, std::string_view title) {
        m_time += 2;
        folder.write(file, title, m_time);
    }
    void poll() {
        if (const std::optional<SourcePoll> started = sources.startPoll()) {
            sources.finishPoll(*started, TextSources::read(*started, reader));
        }
    }
    std::string previewAfter(int ticks) {
        for (int tick = 0; tick < ticks; ++tick) {
            preview.TimerPreviewTimer();
        }
        return settings.text("LP");
    }

    fakes::TempFolder folder;
    Settings settings;
    CodePage codePage{1252};
    TitleCleanup cleanup{settings, codePage};
    DynamicPs dynamicPs{settings};
    DpsPreview preview{settings, dynamicPs};
    fakes::RecordingTextWriter writer;
    RadiotextRotation rotation{settings, writer};
    fakes::ManualClock clock;
    TextSources sources{{settings, codePage, cleanup, dynamicPs, preview, rotation, writer, clock}};
    std::shared_ptr<fakes::FaultyFileSystem> fileSystem = std::make_shared<fakes::FaultyFileSystem>();
    SourceReader reader{fileSystem, codePage};

private:
    std::int64_t m_time = fakes::TempFolder::kSomeTime;
};

TEST_F(TextSourcesTest, ANewRadiotextTitleBecomesRT1AndGoesOnAir) {
    const std::string title70(70, 't');
    const std::string title59(59, 'f'); // with the prefix, exactly the 64 places of a radiotext
    const auto withPrefix = [](Settings& s) {
        radiotextFromFile(s);
        s.setText("ER1PR", "Now: ");
    };
    struct Case {
        const char* name;
        std::function<void(Settings&)> setUp;
        std::string title;
        std::string rt1;
        Texts written;
        std::vector<bool> flags;
        int current = 1; // the current message stays
    };
    const Case cases[] = {
        {"plain", radiotextFromFile, "Velmora - Catch", "Velmora - Catch", {"Velmora - Catch"}, {true}},
        {"prefix and a long title",
         [](Settings& s) {
             radiotextFromFile(s);
             s.setText("ER1PR", "Now: ");
         },
         title70,
         "Now: " + title70.substr(0, 56) + "...",
         {"Now: " + title70.substr(0, 56) + "..."},
         {true}},
        {"a title that fits exactly", withPrefix, title59, "Now: " + title59, {"Now: " + title59}, {true}},
        {"one character more",
         withPrefix,
         title59 + "g",
         "Now: " + title59.substr(0, 56) + "...",
         {"Now: " + title59.substr(0, 56) + "..."},
         {true}},
        {"cleaned up",
         [](Settings& s) {
             radiotextFromFile(s);
             s.setFlag("CBRSN", true);
             s.setFlag("CBCTC", true);
         },
         "12. Velmora - Catch",
         "VELMORA - CATCH",
         {"VELMORA - CATCH"},
         {true}},
        {"send on change off",
         [](Settings& s) {
             radiotextFromFile(s);
             s.setFlag("CBR1SC", false);
         },
         "Velmora - Catch",
         "Velmora - Catch",
         {},
         {}},
        {"message 2 current, of type B",
         [](Settings& s) {
             radiotextFromFile(s);
             s.setFlag("RBRT2", true);
             s.setFlag("CBAUTO", false);
             s.setChoice("CBRTT2", 1);
             s.setText("RT1", "Old");
         },
         "Velmora - Catch",
         "Velmora - Catch",
         {"Velmora - Catch"},
         {true},
         2},
        {"message 1 current, of type A",
         [](Settings& s) {
             radiotextFromFile(s);
             s.setFlag("CBAUTO", false);
             s.setChoice("CBRTT2", 1);
         },
         "Velmora - Catch",
         "Velmora - Catch",
         {"Velmora - Catch"},
         {false}},
        {"radiotext not enabled",
         [](Settings& s) {
             radiotextFromFile(s);
             s.setFlag("CBRTEN", false);
         },
         "Velmora - Catch",
         "",
         {},
         {}},
        {"not from a file", [](Settings& s) { s.setFlag("CBRTEN", true); }, "Velmora - Catch", "", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        c.setUp(settings);
        playout("rt.txt", c.title);
        poll();
        EXPECT_EQ(settings.text("RT1"), c.rt1);
        EXPECT_EQ(writer.radiotexts, c.written);
        EXPECT_EQ(writer.flags, c.flags);
        EXPECT_EQ(settings.program().rtFromFile, c.rt1.empty() ? "" : c.title) << "kept before clean-up";
        EXPECT_EQ(rotation.current(), c.current);
    }
}

TEST_F(TextSourcesTest, OnlyAChangedTitleIsTaken) {
    radiotextFromFile(settings);
    settings.program().rtFromFile = "Restored";
    playout("rt.txt", "Restored");
    poll();
    EXPECT_EQ(settings.text("RT1"), "") << "unchanged since the last run";
    playout("rt.txt", "Next");
    poll();
    playout("rt.txt", "Next");
    poll();
    EXPECT_EQ(writer.radiotexts, Texts{"Next"}) << "the same title again, in a newer file";
    settings.setText("ER1PR", "On air: ");
    std::filesystem::remove(folder.path("rt.txt"));
    poll();
    EXPECT_EQ(settings.text("RT1"), "Next") << "no file: the last title stays, not the prefix alone";
    EXPECT_EQ(writer.radiotexts, Texts{"Next"});
}

// A file that cannot be read leaves everything as it was, and the next poll tries again.
TEST_F(TextSourcesTest, AnUnreadableFileIsTriedAgain) {
    radiotextFromFile(settings);
    playout("rt.txt", "First");
    poll();
    playout("rt.txt", "Second");
    fileSystem->failReading = true;
    poll();
    EXPECT_EQ(settings.text("RT1"), "First");
    EXPECT_EQ(settings.program().rtFromFile, "First");
    fileSystem->failReading = false;
    poll();
    EXPECT_EQ(settings.text("RT1"), "Second");
}

TEST_F(TextSourcesTest, ANewDynamicPsTitleIsLaidOutForItsMode) {
    struct Case {
        const char* name;
        int mode;
        std::string title;
        std::array<std::string, 9> rows;
        std::string written;
    };
    const Case cases[] = {
        {"mode 0, centred rows", 0, "HELLO WORLD", {" HELLO  ", " WORLD  "}, " HELLO   WORLD  "},
        {"mode 2, the text itself", 2, "HELLO WORLD", {" HELLO  ", " WORLD  "}, "HELLO WORLD"},
        {"mode 1, a short text as it is", 1, "HI", {"   HI   "}, "HI"},
    };
    dynamicPsFromFile(settings);
    settings.setText("PSDEF", "KORVEL");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writer.dynamicPs.clear();
        settings.program().dpsFromFile.clear();
        settings.setChoice("RGDPS1M", c.mode);
        playout("dps.txt", c.title);
        poll();
        EXPECT_EQ(settings.text("DPS1B"), c.title);
        for (int row = 0; row < 9; ++row) {
            EXPECT_EQ(settings.cell("DPS1", row), c.rows[static_cast<std::size_t>(row)]) << "row " << row;
        }
        EXPECT_EQ(writer.dynamicPs, Texts{c.written});
        EXPECT_EQ(previewAfter(5), "KORVEL  ") << "the preview starts over";
        EXPECT_NE(previewAfter(1), "KORVEL  ");
    }
}

// A runaway title of thousands of characters is cut where each target ends, like any other.
TEST_F(TextSourcesTest, AVeryLongTitleIsCutLikeAnyOther) {
    radiotextFromFile(settings);
    dynamicPsFromFile(settings);
    settings.setChoice("RGDPS1M", 0);
    std::string title;
    while (title.size() < 5000) {
        title += "Word" + std::to_string(title.size()) + " ";
    }
    playout("rt.txt", title);
    playout("dps.txt", title);
    poll();
    EXPECT_EQ(settings.text("RT1"), title.substr(0, 61) + "...");
    EXPECT_EQ(settings.text("DPS1B"), title.substr(0, title.size() - 1));
    ASSERT_EQ(writer.dynamicPs.size(), 1u);
    EXPECT_EQ(writer.dynamicPs[0].size(), 72u);
    EXPECT_TRUE(writer.dynamicPs[0].ends_with("..."));
    EXPECT_EQ(writer.dynamicPs[0].substr(64, 5), settings.cell("DPS1", 8).substr(0, 5));
}

TEST_F(TextSourcesTest, AWrittenRadiotextRestartsARunningRotation) {
    radiotextFromFile(settings);
    std::vector<bool> timer2;
    const model::Subscription watch = settings.subscribe(
        "Timer2", [&](model::Aspect) { timer2.push_back(settings.timerEnabled("Timer2")); });
    playout("rt.txt", "Stopped");
    poll();
    EXPECT_TRUE(timer2.empty()) << "a rotation that is off stays off";
    settings.setFlag("RTSA", true);
    rotation.RTSAClick();
    timer2.clear();
    playout("rt.txt", "Running");
    poll();
    EXPECT_EQ(timer2, (std::vector<bool>{false, true}));
}

// The encoder must not miss a title because one write failed: it is written at every poll
// until the encoder takes it, while its source stays active with "Send on change".
TEST_F(TextSourcesTest, ATitleTheEncoderDidNotTakeIsWrittenAgain) {
    struct Case {
        const char* name;
        std::function<void(Settings&)> between;    // what changes after the failed write
        std::function<void(Settings&)> beforeLast; // and before the last of two polls that succeed
        std::size_t writes;                        // in all
    };
    const auto nothing = [](Settings&) {};
    const Case cases[] = {
        {"until it is taken", nothing, nothing, 2},
        {"not after send on change is off", [](Settings& s) { s.setFlag("CBR1SC", false); }, nothing, 1},
        {"not after the source was off for a poll", [](Settings& s) { s.setFlag("CBR1FF", false); },
         [](Settings& s) { s.setFlag("CBR1FF", true); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        radiotextFromFile(settings);
        playout("rt.txt", "Title");
        writer.succeeds = false;
        poll();
        EXPECT_EQ(settings.program().rtFromFile, "Title") << "taken as sent all the same";
        c.between(settings);
        writer.succeeds = true;
        poll();
        c.beforeLast(settings);
        poll();
        EXPECT_EQ(writer.radiotexts, Texts(c.writes, "Title"));
    }
}

TEST_F(TextSourcesTest, ATitleTheEncoderDidNotTakeIsDroppedWhenItsSourceIsSwitchedOffDuringAPoll) {
    radiotextFromFile(settings);
    playout("rt.txt", "Title");
    writer.succeeds = false;
    poll();
    writer.succeeds = true;
    const std::optional<SourcePoll> started = sources.startPoll();
    ASSERT_TRUE(started);
    const SourceTexts texts = TextSources::read(*started, reader);
    settings.setFlag("CBRTEN", false);
    sources.finishPoll(*started, texts);
    settings.setFlag("CBRTEN", true);
    poll();
    EXPECT_EQ(writer.radiotexts, Texts{"Title"});
}

TEST_F(TextSourcesTest, BothSourcesAreWrittenAgainAfterFailures) {
    radiotextFromFile(settings);
    dynamicPsFromFile(settings);
    settings.setChoice("RGDPS1M", 2);
    playout("rt.txt", "Radiotext");
    playout("dps.txt", "Dynamic");
    writer.succeeds = false;
    poll();
    poll();
    writer.succeeds = true;
    poll();
    poll();
    EXPECT_EQ(writer.radiotexts, Texts(3, "Radiotext"));
    EXPECT_EQ(writer.dynamicPs, Texts(3, "Dynamic"));
}

// What was read for a poll is not taken when the source's options changed meanwhile, or it
// was switched off.
TEST_F(TextSourcesTest, AReadThatNoLongerFitsTheOptionsIsLeft) {
    struct Case {
        const char* name;
        std::function<void(Settings&)> meanwhile;
    };
    const Case cases[] = {
        {"another file", [](Settings& s) { s.setText("ER1F", "other.txt"); }},
        {"another line", [](Settings& s) { s.setChoice("RGR1L", 0); }},
        {"another cut", [](Settings& s) { s.setInteger("SER1EN", 2); }},
        {"switched off", [](Settings& s) { s.setFlag("CBR1FF", false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        radiotextFromFile(settings);
        playout("rt.txt", "Title");
        const std::optional<SourcePoll> started = sources.startPoll();
        ASSERT_TRUE(started);
        const SourceTexts texts = TextSources::read(*started, reader);
        c.meanwhile(settings);
        sources.finishPoll(*started, texts);
        EXPECT_EQ(settings.text("RT1"), "");
    }
    EXPECT_FALSE(sources.startPoll()) << "nothing to read with both sources off";
}

TEST_F(TextSourcesTest, TheWatchCoversTheFoldersAndFilesOfTheActiveSources) {
    radiotextFromFile(settings);
    dynamicPsFromFile(settings);
    settings.setText("ED1F", "*.txt");
    playout("rt.txt", "Title");
    const std::optional<SourcePoll> poll = sources.startPoll();
    ASSERT_TRUE(poll);
    EXPECT_EQ(TextSources::watchedPaths(*poll, TextSources::read(*poll, reader)),
              (Texts{folder.path(), folder.path("rt.txt")}));
    settings.setFlag("CBRTEN", false);
    settings.setText("ED1F", "/nowhere/*.txt");
    const std::optional<SourcePoll> other = sources.startPoll();
    ASSERT_TRUE(other);
    EXPECT_EQ(TextSources::watchedPaths(*other, TextSources::read(*other, reader)), Texts{"/nowhere/"});
}

} // namespace
} // namespace korvel::text
