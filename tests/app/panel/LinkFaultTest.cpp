#include "app/panel/Panel.h"
#include "fakes/PanelSurroundings.h"
#include "fakes/TempFolder.h"
#include "kxio/kxioTest.h"
#include "link/KxioLibrary.h"
#include "settings/SettingsFile.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>

namespace korvel::app {
namespace {

// The stand-in library with one fault armed through its own fault injection: the n-th Send or
// Receive of an operation fails. Counting the calls of a clean run gives every position.
class FaultAtCall : public link::EncoderLibrary {
public:
    enum class Call { Send, Receive };
    struct Fault {
        Call call;
        int position;
    };

    void ConnectionSetup(int hardwareType, int port, bool bidirectional, bool slow) override {
        m_real.ConnectionSetup(hardwareType, port, bidirectional, slow);
    }
    bool Connect() override { return m_real.Connect(); }
    void Disconnect() override { m_real.Disconnect(); }
    bool Send(int count, const std::uint8_t* block) override {
        if (armedAt(Call::Send, sends++)) {
            kxioTestFailNextSend();
        }
        return m_real.Send(count, block);
    }
    void Receive(std::uint8_t* block, int address, int count) override {
        if (armedAt(Call::Receive, receives++)) {
            kxioTestFailNextReceive();
        }
        m_real.Receive(block, address, count);
    }

    void arm(std::optional<Fault> fault) {
        m_fault = fault;
        sends = 0;
        receives = 0;
    }

    int sends = 0;
    int receives = 0;

private:
    [[nodiscard]] bool armedAt(Call call, int position) const {
        return m_fault && m_fault->call == call && m_fault->position == position;
    }

    link::KxioLibrary m_real;
    std::optional<Fault> m_fault;
};

class LinkFaultTest;
using Step = std::function<void(LinkFaultTest&)>;

// Every operation that talks to the encoder, as the operator or a timer sets it off, with the
// stored settings it changes whether or not the encoder takes its writes.
struct Operation {
    const char* name;
    Step prepare;
    Step act;
    std::set<std::string> changes;
    Step retry = {}; // the same operation once more; none: act again
};

class LinkFaultTest : public ::testing::Test, protected fakes::PanelSurroundings<FaultAtCall> {
public:
    model::StationSettings& settings() { return m_panel->settings(); }
    Panel& panel() { return *m_panel; }
    const fakes::TempFolder& folder() const { return m_folder; }
    fakes::ManualClock& manualClock() { return clock; }
    void press(model::ControlName button) {
        clock.advance(std::chrono::milliseconds(1100));
        m_panel->events().click(button);
    }

protected:
    void SetUp() override { setenv("KXIO_IMAGE", m_folder.path("encoder.img").c_str(), 1); }
    void TearDown() override {
        close();
        kxioTestReset();
    }

    // A fresh encoder and a fresh panel on COM1 for each case.
    void start(const Operation& operation) {
        close();
        kxioTestReset();
        clock.time = {.year = 2026, .month = 12, .day = 8, .hour = 10, .minute = 29, .second = 50};
        m_panel = std::make_unique<Panel>(
            Panel::Services{codePage, '.', ':', library, dialogs, clock, {}, [](model::StationSettings& s) {
                                s.setChoice("CBPORT", model::kFirstSerialPort);
                                s.setFlag("CBBI", true);
                            }});
        m_panel->FormCreate(view);
        ASSERT_EQ(settings().text("LS"), "Port COM1 opened");
        if (operation.prepare) {
            operation.prepare(*this);
        }
        clock.advance(std::chrono::seconds(2));
    }

    // What the settings file would keep.
    std::string stored() {
        const fakes::TempFolder data;
        const settings::SettingsFile file(settings::ProgramFolder("/opt/studio/korvel"),
                                          {.xdgDataHome = data.path(), .home = {}});
        file.SaveRDSFN(settings());
        return fakes::TempFolder::readFile(file.folder() + settings::SettingsFile::kFileName);
    }

    // The operation fails: the status bar says so and the stored settings change only as the
    // operation changes them anyway. Once the fault is gone the operation works again.
    void expectFailureThenRecovery(const Operation& operation, const std::string& before,
                                   const std::function<void()>& removeFault) {
        EXPECT_EQ(settings().text("StatusBar1"), "!Ready");
        EXPECT_EQ(changedKeys(before, stored()), operation.changes);
        removeFault();
        (operation.retry ? operation.retry : operation.act)(*this);
        EXPECT_EQ(settings().text("StatusBar1"), "Ready");
    }

    static std::set<std::string> changedKeys(const std::string& before, const std::string& after);

private:
    void close() {
        if (m_panel) {
            EXPECT_TRUE(m_panel->FormClose());
            m_panel.reset();
        }
    }

    fakes::TempFolder m_folder;
    std::unique_ptr<Panel> m_panel;
};

// The keys whose values differ between two settings files, as "Section/Key".
std::set<std::string> LinkFaultTest::changedKeys(const std::string& before, const std::string& after) {
    const auto lines = [](const std::string& file) {
        std::set<std::string> keyed;
        std::istringstream stream(file);
        std::string section;
        for (std::string line; std::getline(stream, line);) {
            if (line.starts_with('[')) {
                section = line.substr(1, line.size() - 2);
            } else {
                keyed.insert(section + "/" + line);
            }
        }
        return keyed;
    };
    const std::set<std::string> old = lines(before);
    std::set<std::string> changed;
    for (const std::string& line : lines(after)) {
        if (!old.contains(line)) {
            changed.insert(line.substr(0, line.find('=')));
        }
    }
    return changed;
}

Step pressing(model::ControlName button) {
    return [button](LinkFaultTest& test) { test.press(button); };
}

Step ticking(model::ControlName timer) {
    return [timer](LinkFaultTest& test) { test.panel().events().tick(timer); };
}

void rotatingMessages(LinkFaultTest& test) {
    auto& s = test.settings();
    s.setText("RT1", "First message");
    s.setText("RT2", "Second message");
    s.setFlag("CBRTEN", true);
    s.setFlag("RTSA", true);
}

void titleFromAFile(LinkFaultTest& test) {
    auto& s = test.settings();
    test.folder().write("title.txt", "Artist - Title");
    s.program().programFolder = test.folder().path();
    s.setText("ER1F", "title.txt");
    s.setFlag("CBR1FF", true);
    s.setFlag("CBRTEN", true);
}

void dynamicPsFromAFile(LinkFaultTest& test) {
    auto& s = test.settings();
    test.folder().write("dps.txt", "Artist - Title");
    s.program().programFolder = test.folder().path();
    s.setText("ED1F", "dps.txt");
    s.setFlag("CBD1FF", true);
    s.setFlag("DPS1EN", true);
}

// The clock time goes on running after a failed load: the next minute's load and trigger go out.
void nextMinuteEdge(LinkFaultTest& test) {
    auto& time = test.manualClock().time;
    time.minute += 1;
    time.second = 0;
    test.panel().events().tick("Timer3");
}

// clang-format off
const Operation kOperations[] = {
    {"Send",        {}, pressing("BSEND1"), {"Radiotext/PrevRTType"}},
    {"Store",       {}, pressing("BSTOR1"), {}},
    {"Read",        {}, pressing("BREC1"),  {}},
    {"Read Status", {}, pressing("BSTAT"),  {}},
    {"Reset",       {}, pressing("BRESET"), {}},
    {"Switch Off",  {}, pressing("BSWOFF"), {}},
    {"Switch On",   {}, pressing("BSWON"),  {}},
    {"TA",          {}, pressing("BSETTA"), {"General/TA"}},
    {"Clock time",  {}, pressing("BSETCT"), {"Config/CTState"}, nextMinuteEdge},
    {"Rotation",    rotatingMessages, ticking("Timer2"), {"Radiotext/PrevRTType", "Radiotext/SelRT1", "Radiotext/SelRT2"}},
    {"Text source", titleFromAFile,   ticking("Timer1"), {"Config/RTFromFile", "Radiotext/PrevRTType", "Radiotext/Radiotext1"}},
    {"DPS source",  dynamicPsFromAFile, ticking("Timer1"), {"Config/DPSFromFile", "DPS1/Text", "DPS1/Label0", "DPS1/Label1"}},
};
// clang-format on

void PrintTo(const Operation& operation, std::ostream* out) {
    *out << operation.name;
}

class EveryOperation : public LinkFaultTest, public ::testing::WithParamInterface<Operation> {};

// A failing Send or Receive at every position of the operation's sequence.
TEST_P(EveryOperation, MeetsAFailureAtEveryPosition) {
    const Operation& operation = GetParam();
    start(operation);
    library.arm(std::nullopt);
    operation.act(*this);
    ASSERT_EQ(settings().text("StatusBar1"), "Ready");
    const int sends = library.sends;
    const int receives = library.receives;
    ASSERT_GT(sends + receives, 0);
    for (const auto call : {FaultAtCall::Call::Send, FaultAtCall::Call::Receive}) {
        for (int position = 0; position < (call == FaultAtCall::Call::Send ? sends : receives); ++position) {
            SCOPED_TRACE((call == FaultAtCall::Call::Send ? "Send " : "Receive ") + std::to_string(position));
            start(operation);
            const std::string before = stored();
            library.arm(FaultAtCall::Fault{call, position});
            operation.act(*this);
            expectFailureThenRecovery(operation, before, [this] { library.arm(std::nullopt); });
        }
    }
}

// The port goes away while connected (the adapter is pulled: the library forgets the connection)
// and comes back when the operator presses "Update".
TEST_P(EveryOperation, MeetsAPortThatWentAway) {
    const Operation& operation = GetParam();
    start(operation);
    const std::string before = stored();
    kxioTestReset();
    operation.act(*this);
    expectFailureThenRecovery(operation, before, [this] {
        press("BCUPD");
        ASSERT_EQ(settings().text("LS"), "Port COM1 opened");
    });
}

// The port refuses to open again: every operation fails until it opens.
TEST_P(EveryOperation, MeetsARefusedConnect) {
    const Operation& operation = GetParam();
    start(operation);
    const std::string before = stored();
    kxioTestRefuseConnect(1);
    press("BCUPD");
    EXPECT_NE(settings().text("LS"), "Port COM1 opened");
    operation.act(*this);
    expectFailureThenRecovery(operation, before, [this] {
        kxioTestRefuseConnect(0);
        press("BCUPD");
        ASSERT_EQ(settings().text("LS"), "Port COM1 opened");
    });
}

INSTANTIATE_TEST_SUITE_P(LinkFaultTest, EveryOperation, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation>& param) {
                             std::string name = param.param.name;
                             std::erase(name, ' ');
                             return name;
                         });

} // namespace
} // namespace korvel::app
