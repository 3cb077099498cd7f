#include "link/Connection.h"

#include "fakes/RecordingLibrary.h"
#include "fakes/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace korvel::link {
namespace {

using Calls = std::vector<std::string>;

class ConnectionTest : public ::testing::Test {
protected:
    model::StationSettings settings;
    fakes::RecordingLibrary library;
    fakes::ScriptedDialogs dialogs;
    Connection connection{library, settings, dialogs, [this] { library.calls.emplace_back("events"); }};
};

TEST_F(ConnectionTest, PortValuesFollowThePortList) {
    struct Case {
        int index;
        const char* lpt2;
        std::optional<int> value;
    };
    const Case cases[] = {
        {0, "632", 888}, {1, "632", 632}, {1, "", 632},   {1, "abc", 632},         {1, "956", 956},
        {2, "", 1},      {4, "", 3},      {256, "", 255}, {257, "", std::nullopt}, {-1, "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Connection::portValue(c.index, c.lpt2), c.value) << c.index << " " << c.lpt2;
    }
}

TEST_F(ConnectionTest, UpdateReconnectsWithThePageSettings) {
    struct Case {
        const char* name;
        int port;
        bool connects;
        Calls calls;
        const char* ls;
        const char* status;
        int page;
    };
    const Case cases[] = {
        {"first serial port",
         2,
         true,
         {"Disconnect", "events", "ConnectionSetup(1,1,0,1)", "Connect"},
         "Port COM1 opened",
         "Ready",
         0},
        {"LPT1",
         0,
         true,
         {"Disconnect", "events", "ConnectionSetup(1,888,0,1)", "Connect"},
         "Port LPT1 opened",
         "Ready",
         0},
        {"refused",
         4,
         false,
         {"Disconnect", "events", "ConnectionSetup(1,3,0,1)", "Connect"},
         "Not connected",
         "Can't open the port!",
         5},
        {"no port", 257, true, {"Disconnect", "events"}, "Not connected", "Not connected", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.reset();
        library.calls.clear();
        library.connectSucceeds = c.connects;
        settings.setChoice("CBPORT", c.port);
        connection.RGPORTClick(Connection::Sender::Operator);
        EXPECT_EQ(library.calls, c.calls);
        EXPECT_EQ(settings.text("LS"), c.ls);
        EXPECT_EQ(settings.text("StatusBar1"), c.status);
        EXPECT_EQ(settings.choice("PageControl1"), c.page);
        EXPECT_EQ(settings.program().portIndex, c.port);
    }
}

TEST_F(ConnectionTest, StartUpDoesNotDisconnectFirst) {
    settings.setChoice("CBPORT", 1);
    settings.setText("ELPTA", "");
    settings.setChoice("RGHTYP", 0);
    settings.setFlag("CBBI", true);
    settings.setFlag("CBSS", false);
    connection.RGPORTClick(Connection::Sender::Window);
    EXPECT_EQ(library.calls, (Calls{"ConnectionSetup(0,632,1,0)", "Connect"}));
    EXPECT_EQ(settings.text("LS"), "Port LPT2 opened");
}

TEST_F(ConnectionTest, ReadingBackNeedsABidirectionalPort) {
    settings.setChoice("CBPORT", 2);
    settings.setFlag("CBBI", false);
    for (bool connects : {true, false}) {
        settings.setEnabled("BREC1", true);
        settings.setEnabled("BSTAT", true);
        library.connectSucceeds = connects;
        connection.RGPORTClick(Connection::Sender::Operator);
        EXPECT_FALSE(settings.enabled("BREC1"));
        EXPECT_FALSE(settings.enabled("BSTAT"));
    }
    settings.setFlag("CBBI", true);
    connection.RGPORTClick(Connection::Sender::Operator);
    EXPECT_TRUE(settings.enabled("BREC1"));
    settings.setFlag("CBBI", false);
    settings.setChoice("CBPORT", 257);
    connection.RGPORTClick(Connection::Sender::Operator);
    EXPECT_TRUE(settings.enabled("BREC1")) << "no port leaves the buttons as they were";
}

TEST_F(ConnectionTest, LptAddressTakesDigitsAndBackspaceOnly) {
    struct Case {
        char typed;
        char passed;
    };
    for (const Case& c :
         {Case{'0', '0'}, {'9', '9'}, {'\b', '\b'}, {'a', '\0'}, {'-', '\0'}, {' ', '\0'}, {'\x16', '\0'}}) {
        char key = c.typed;
        Connection::ELPTAKeyPress(key);
        EXPECT_EQ(key, c.passed) << int(c.typed);
    }
}

TEST_F(ConnectionTest, ListShowsThePortsInOneMessage) {
    connection.BitBtn1Click();
    ASSERT_EQ(dialogs.information.size(), 1u);
    EXPECT_FALSE(dialogs.information[0].empty());
    EXPECT_TRUE(library.calls.empty()) << "listing ports does not touch the encoder";
}

} // namespace
} // namespace korvel::link
