#include "model/StationSettings.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace korvel::model {
namespace {

class StationSettingsTest : public ::testing::Test {
protected:
    StationSettings settings;
};

TEST_F(StationSettingsTest, FreshModelHoldsTheWindowDefaults) {
    struct Choice {
        ControlName name;
        int index;
    };
    for (const Choice& c : {Choice{"MS", 1},
                            {"RGDPS1M", 2},
                            {"RGDLD", 1},
                            {"CBGRTYP", 2},
                            {"RGHTYP", 1},
                            {"CBPORT", 257},
                            {"PTY", 0},
                            {"RBANSIC", 2},
                            {"RGD1L", 1},
                            {"ColorBox1", 46}}) {
        EXPECT_EQ(settings.choice(c.name), c.index) << c.name.str();
    }
    struct Text {
        ControlName name;
        const char* text;
    };
    for (const Text& t : {Text{"PI", "FFFF"},
                          {"ELPTA", "632"},
                          {"ECUSCH", "*"},
                          {"PSDEF", ""},
                          {"DB3", "00"},
                          {"DB7D", "0"},
                          {"StatusBar1", "Ready"},
                          {"LS", "Not connected"},
                          {"LP", "--------"},
                          {"LImageFile", "(none)"},
                          {"LABV", "Version 1.1b"}}) {
        EXPECT_EQ(settings.text(t.name), t.text) << t.name.str();
    }
    EXPECT_DOUBLE_EQ(settings.decimal("SEDPS1DL"), 21.6);
    EXPECT_DOUBLE_EQ(settings.decimal("SEDPSLP"), 2.5);
    EXPECT_DOUBLE_EQ(settings.decimal("SERTSW"), 5.0);
    EXPECT_DOUBLE_EQ(settings.decimal("SEPHASE"), 0.0);
    EXPECT_EQ(settings.integer("SESMTO"), 1);
    EXPECT_EQ(settings.integer("SEUTCO"), 0);
    EXPECT_EQ(settings.program().portIndex, -1);
}

TEST_F(StationSettingsTest, OnlyTheDocumentedFlagsStartChecked) {
    const std::set<std::string> expected{"CBAUTO", "CBCTTZ",  "CBD1SC",  "CBR1SC", "CBSS",
                                         "RBRT1",  "RBJUST2", "RBFILSP", "UNSENT"};
    std::set<std::string> actual;
    for (const ControlName name : ControlName::all()) {
        if (name.kind() == Kind::Flag && settings.flag(name)) {
            actual.emplace(name.str());
        }
    }
    EXPECT_EQ(actual, expected);
    for (int item = 0; item < 4; ++item) {
        EXPECT_FALSE(settings.checked("DI", item));
    }
}

TEST_F(StationSettingsTest, PortListHasEveryPortAndNoneLast) {
    const auto& ports = settings.items("CBPORT");
    ASSERT_EQ(ports.size(), 258u);
    EXPECT_EQ(ports[0], "LPT1");
    EXPECT_EQ(ports[1], "LPT2");
    EXPECT_EQ(ports[2], "COM1");
    EXPECT_EQ(ports[256], "COM255");
    EXPECT_EQ(ports[257], "(None)");
}

TEST_F(StationSettingsTest, GeneratedListsFollowTheirRules) {
    const auto& types = settings.items("CBGRTYP");
    ASSERT_EQ(types.size(), 32u);
    EXPECT_EQ(types[8], "4A");
    EXPECT_EQ(types[31], "15B");
    const auto& frequencies = settings.items("CBAF");
    ASSERT_EQ(frequencies.size(), 204u);
    EXPECT_EQ(frequencies.front(), "87.6");
    EXPECT_EQ(frequencies[110 - 1], "98.5");
    EXPECT_EQ(frequencies.back(), "107.9");
    StationSettings comma(',');
    EXPECT_EQ(comma.items("CBAF").front(), "87,6");
    EXPECT_EQ(settings.cell("SGAF", 0, 0), "1");
    EXPECT_EQ(settings.cell("SGAF", 14, 0), "15");
    EXPECT_FALSE(settings.cellEditable("SGAF", 0));
    EXPECT_TRUE(settings.cellEditable("SGAF", 1));
}

struct DecimalCase {
    ControlName name;
    const char* text; // what the spin edit holds
    double value;     // what reading it yields
    const char* shownAfterRead;
    const char* unit;
};

class DecimalTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTest, ReadsClampsAndShowsItsUnit) {
    const DecimalCase& c = GetParam();
    StationSettings settings;
    settings.setDecimalText(c.name, c.text);
    EXPECT_DOUBLE_EQ(settings.decimal(c.name), c.value);
    EXPECT_EQ(settings.decimalText(c.name), c.shownAfterRead);
    EXPECT_EQ(settings.caption(c.name), c.unit);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecimalTest,
                         ::testing::Values(DecimalCase{"SEDPS1DL", "700", 688.5, "688.5", "(infinite)"},
                                           DecimalCase{"SEDPS1DL", "688.5", 688.5, "688.5", "(infinite)"},
                                           DecimalCase{"SEDPS1DL", "685.8", 685.8, "685.8", "sec"},
                                           DecimalCase{"SEDPS1DL", "", 0.0, "0.0", "sec"},
                                           DecimalCase{"SEDPS1DL", "abc", 0.0, "0.0", "sec"},
                                           DecimalCase{"SEDPS1DL", "18,9", 18.9, "18,9", "sec"},
                                           DecimalCase{"SEDPSLP", "0", 0.5, "0.5", "sec"},
                                           DecimalCase{"SEDPSLP", " 3.5 ", 3.5, " 3.5 ", "sec"},
                                           DecimalCase{"SERTSW", "0", 0.0, "0", ".5 min"},
                                           DecimalCase{"SERTSW", "", 0.0, "0", ".5 min"},
                                           DecimalCase{"SERTSW", "1", 1.0, "1", "min"},
                                           DecimalCase{"SEPHASE", "-5", 0.0, "0.00", "degrees"},
                                           DecimalCase{"SEPHASE", "12x", 0.0, "0.00", "degrees"}));

TEST_F(StationSettingsTest, SettingADecimalStoresTheNearestBound) {
    settings.setDecimal("SEDPS1DL", 700);
    EXPECT_EQ(settings.decimalText("SEDPS1DL"), "688.5");
    EXPECT_EQ(settings.caption("SEDPS1DL"), "(infinite)");
    settings.setDecimal("SEDPSLP", 0);
    EXPECT_EQ(settings.decimalText("SEDPSLP"), "0.5");
    settings.setDecimal("SERTSW", 0);
    EXPECT_EQ(settings.caption("SERTSW"), ".5 min");
    settings.setDecimal("SEPHASE", 170.46);
    EXPECT_EQ(settings.decimalText("SEPHASE"), "170.46");
}

TEST_F(StationSettingsTest, IntegersAndChoicesStayInRange) {
    settings.setInteger("SESMTO", 5);
    EXPECT_EQ(settings.integer("SESMTO"), 2);
    settings.setInteger("SEUTCO", -13);
    EXPECT_EQ(settings.integer("SEUTCO"), -12);
    settings.setChoice("MS", -7);
    EXPECT_EQ(settings.choice("MS"), -1) << "no choice";
    settings.setChoice("PTY", 40);
    EXPECT_EQ(settings.choice("PTY"), 40) << "an index beyond the list is kept for what reads it back";
    settings.setItems("PTY", {"a", "b"});
    EXPECT_EQ(settings.choice("PTY"), 40);
}

TEST_F(StationSettingsTest, TextsLongerThanTheEditorAllowsAreKeptForTheirRepairRules) {
    settings.setText("PI", "12345");
    EXPECT_EQ(settings.text("PI"), "12345");
    EXPECT_EQ(settings.maxLength("PI"), 4);
    EXPECT_EQ(settings.maxLength("DPS1"), 8);
}

TEST_F(StationSettingsTest, OneOfGroupKeepsOneFlagAndNotifiesBoth) {
    std::vector<std::string> heard;
    auto first = settings.subscribe("RBRT1", [&](Aspect) { heard.emplace_back("RBRT1"); });
    auto third = settings.subscribe("RBRT3", [&](Aspect) { heard.emplace_back("RBRT3"); });
    settings.setFlag("RBRT3", true);
    EXPECT_FALSE(settings.flag("RBRT1"));
    EXPECT_TRUE(settings.flag("RBRT3"));
    EXPECT_EQ(heard, (std::vector<std::string>{"RBRT1", "RBRT3"}));
    settings.setFlag("RBJUST0", true);
    EXPECT_TRUE(settings.flag("RBRT3")) << "groups are independent";
    EXPECT_FALSE(settings.flag("RBJUST2"));
}

TEST_F(StationSettingsTest, ObserversHearOnlyRealChangesUntilUnsubscribed) {
    int values = 0;
    int states = 0;
    {
        auto subscription = settings.subscribe(
            "PSDEF", [&](Aspect aspect) { (aspect == Aspect::Value ? values : states)++; });
        settings.setText("PSDEF", "RADIO");
        settings.setText("PSDEF", "RADIO");
        settings.setEnabled("PSDEF", false);
        settings.setEnabled("PSDEF", false);
    }
    settings.setText("PSDEF", "OTHER");
    EXPECT_EQ(values, 1);
    EXPECT_EQ(states, 1);
}

TEST_F(StationSettingsTest, HeldReactionsMissTheBatchWhileObserversFollowEveryValue) {
    int reactions = 0;
    std::vector<std::string> shown;
    auto reaction = settings.react("RTSA", [&] { ++reactions; });
    auto view = settings.subscribe("RTSA", [&](Aspect aspect) {
        if (aspect == Aspect::Value) {
            shown.emplace_back(settings.flag("RTSA") ? "on" : "off");
        }
    });
    {
        const StationSettings::ReactionHold outer(settings);
        settings.setFlag("RTSA", true);
        {
            const StationSettings::ReactionHold inner(settings);
            settings.setFlag("RTSA", false);
        }
        settings.setFlag("RTSA", true);
        EXPECT_TRUE(settings.reactionsHeld()) << "holds nest";
    }
    EXPECT_EQ(reactions, 0) << "a held reaction is dropped, not run later";
    EXPECT_EQ(shown, (std::vector<std::string>{"on", "off", "on"}));
    settings.setFlag("RTSA", false);
    settings.setEnabled("RTSA", false);
    EXPECT_EQ(reactions, 1) << "reactions follow values, not state";
}

TEST_F(StationSettingsTest, ResetRestoresDefaultsAndTellsObservers) {
    int heard = 0;
    auto subscription = settings.subscribe("SGAF", [&](Aspect) { ++heard; });
    settings.setCell("SGAF", 3, 1, "98.5");
    settings.setText("PSDEF", "RADIO");
    settings.setFlag("RBFILCU", true);
    settings.setTimerEnabled("Timer3", true);
    settings.setCaption("BSETCT", "Stop");
    settings.program().portIndex = 4;
    settings.reset();
    EXPECT_EQ(settings.cell("SGAF", 3, 1), "");
    EXPECT_EQ(settings.text("PSDEF"), "");
    EXPECT_TRUE(settings.flag("RBFILSP"));
    EXPECT_FALSE(settings.flag("RBFILCU"));
    EXPECT_FALSE(settings.timerEnabled("Timer3"));
    EXPECT_EQ(settings.caption("BSETCT"), "Start");
    EXPECT_EQ(settings.program().portIndex, -1);
    EXPECT_EQ(heard, 2);
}

TEST_F(StationSettingsTest, TimersStartAsTheWindowRunsThem) {
    EXPECT_EQ(settings.interval("Timer1").count(), 3000);
    EXPECT_TRUE(settings.timerEnabled("Timer1"));
    EXPECT_FALSE(settings.timerEnabled("Timer2"));
    EXPECT_FALSE(settings.timerEnabled("Timer3"));
    EXPECT_EQ(settings.interval("TimerPreview").count(), 500);
    EXPECT_FALSE(settings.visible("LCT"));
    EXPECT_FALSE(settings.visible("GBHELP"));
}

TEST_F(StationSettingsTest, MisnamedControlsAreProgrammingErrors) {
    EXPECT_FALSE(ControlName::find("NOPE"));
    EXPECT_EQ(ControlName::find("PSDEF"), ControlName("PSDEF"));
    EXPECT_THROW((void)settings.flag("PSDEF"), std::invalid_argument);
    EXPECT_THROW((void)settings.cell("SGAF", 15, 0), std::out_of_range);
}

} // namespace
} // namespace korvel::model
