#include "settings/SettingsFile.h"

#include "fakes/TempFolder.h"
#include "model/StationSettings.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace korvel::settings {
namespace {

using namespace std::string_literals;
using Change = std::function<void(model::StationSettings&)>;

struct Numbered {
    model::ControlName control;
    int value;
};

struct Texted {
    model::ControlName control;
    const char* text;
};

// A station whose every stored setting differs from a fresh window's, with blanks and quotes
// where the file format has to keep them.
void changeEverySetting(model::StationSettings& s) {
    model::ProgramState& p = s.program();
    p.windowTop = 123;
    p.windowLeft = -45;
    p.startVisible = false;
    p.portIndex = 4;
    p.dpsFromFile = "Last DPS title";
    p.rtFromFile = "Last RT title";
    p.radiotextToggle = 1;
    s.setCaption("BSETCT", "Stop"); // sending is on
    s.setChoice("ColorBox1", 9);
    constexpr Numbered flags[] = {
        {"CBHPRI", 1}, {"CBCOEX", 1},  {"CBMITR", 1}, {"CBBI", 1},   {"TP", 1},     {"DPS1EN", 1},
        {"CBD1FF", 1}, {"CBUDGEN", 1}, {"CBRTEN", 1}, {"RTSA", 1},   {"CBR1FF", 1}, {"CBRSN", 1},
        {"CBREIB", 1}, {"CBCTC", 1},   {"CBSS", 0},   {"CBD1SC", 0}, {"CBR1SC", 0}, {"CBAUTO", 0},
        {"CBCTTZ", 0}, {"CBD1FB", 1},  {"CBR1FB", 1},
    };
    for (const auto& [flag, value] : flags) {
        s.setFlag(flag, value != 0);
    }
    s.setFlag("RBJUST1", true);
    s.setFlag("RBFILCU", true);
    s.setFlag("RBRT3", true);
    constexpr Numbered choices[] = {
        {"RBPTYC", 2},  {"RGHTYP", 0}, {"RGCS", 1},     {"RGPLLR", 1}, {"PTY", 26},
        {"MS", 0},      {"CBRTT1", 1}, {"CBRTT3", 1},   {"RGDLD", 0},  {"RBANSIC", 1},
        {"RGDPS1M", 3}, {"RGD1L", 0},  {"CBGRTYP", 31}, {"RGR1L", 0},
    };
    for (const auto& [choice, index] : choices) {
        s.setChoice(choice, index);
    }
    constexpr Numbered integers[] = {
        {"SEUTCO", -5}, {"SESMTO", -2}, {"SED1BE", 3},  {"SED1EN", 63},
        {"SER1BE", 1},  {"SER1EN", 2},  {"SED1FB", 30}, {"SER1FB", 240},
    };
    for (const auto& [integer, value] : integers) {
        s.setInteger(integer, value);
    }
    s.setDecimal("SEPHASE", 170.46);
    s.setDecimal("SEDPSLP", 7.5);
    s.setDecimal("SEDPS1DL", 18.9);
    s.setDecimal("SERTSW", 240);
    constexpr Texted texts[] = {
        {"LImageFile", "/pictures/skin 1.bmp"},
        {"ELPTA", "888"},
        {"PSDEF", " K\xc9RVEL "},
        {"PI", "C0DE"},
        {"ECUSCH", "\""},
        {"DPS1B", "Now \"on\" air"},
        {"ED1F", "/air/now playing*.txt"},
        {"ED1PR", " Now: "},
        {"DB3", "1F"},
        {"DB4", "A0"},
        {"DB5", "0B"},
        {"DB6", "C3"},
        {"DB7", "FF"},
        {"RT1", "\"Quoted\" news"},
        {"RT2", "  leading blanks"},
        {"RT3", "trailing blanks  "},
        {"RT4", "'single'"},
        {"ER1F", "rt.txt"},
        {"ER1PR", "RT: "},
        {"ED1FB", " Radio \"K\" "},
        {"ER1FB", "Slogan"},
    };
    for (const auto& [text, value] : texts) {
        s.setText(text, value);
    }
    for (int item : {0, 2, 3}) {
        s.setChecked("DI", item, true);
    }
    for (int row = 0; row < 15; ++row) {
        s.setCell("SGAF", row, 1, std::to_string(876 + row * 10).insert(row < 13 ? 2 : 3, "."));
    }
    for (int row = 0; row < 9; ++row) {
        s.setCell("DPS1", row, 0, " L" + std::to_string(row) + " \"x\"");
    }
    s.setFlag("TA", true);
}

// What start-up does with two loaded values before they are saved again: it connects to the port
// row that loading selected, and it presses the clock-time button once, whose caption loading
// set to the stored state.
void startUpSteps(model::StationSettings& s) {
    s.program().portIndex = s.choice("CBPORT");
    s.setCaption("BSETCT", s.caption("BSETCT") == "Start" ? "Stop" : "Start");
}

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest()
        : file(ProgramFolder("/opt/studio/korvel"), {temp.root().string(), std::nullopt}) {}

    [[nodiscard]] std::filesystem::path path() const { return temp / "studio/korvel.rds"; }
    [[nodiscard]] std::string saved() const { return fakes::TempFolder::readFile(path()); }

    // The file a save of these settings writes, starting from the file as it is.
    std::string saveOf(const Change& change) {
        model::StationSettings settings;
        change(settings);
        file.SaveRDSFN(settings);
        return saved();
    }

    fakes::TempFolder temp;
    SettingsFile file;
};

// The choices of one-of groups and check lists that the station above leaves at their defaults.
void changeTheOtherChoices(model::StationSettings& s) {
    s.setFlag("RBRT2", true);
    s.setFlag("RBJUST0", true);
    s.setChecked("DI", 1, true);
    s.setChoice("CBRTT2", 1);
    s.setChoice("CBRTT4", 1);
}

void selectTheLastMessage(model::StationSettings& s) {
    s.setFlag("RBRT4", true);
}

TEST_F(SettingsFileTest, EverySettingButTrafficAnnouncementComesBackFromTheFile) {
    const IniFile defaults = IniFile::parse(saveOf([](auto&) {}));
    std::vector<IniFile> stations;
    for (const Change& station :
         {Change(changeEverySetting), Change(changeTheOtherChoices), Change(selectTheLastMessage)}) {
        std::filesystem::remove(path());
        const std::string text = saveOf([&](model::StationSettings& s) {
            s.program().portIndex = s.choice("CBPORT"); // as start-up leaves it
            station(s);
        });
        model::StationSettings loaded;
        file.LoadRDSFN(loaded);
        startUpSteps(loaded);
        EXPECT_FALSE(loaded.flag("TA")) << "TA always starts off";
        model::StationSettings original;
        station(original);
        loaded.setFlag("TA", original.flag("TA"));
        file.SaveRDSFN(loaded);
        EXPECT_EQ(saved(), text);
        stations.push_back(IniFile::parse(text));
    }
    // Each key reads differently from a fresh window's in one of the stations, so each one is tried.
    for (const SettingsKey& key : kSettingsKeys) {
        const std::string_view section = kSectionNames[static_cast<std::size_t>(key.section)];
        EXPECT_TRUE(std::any_of(stations.begin(), stations.end(), [&](const IniFile& station) {
            return station.value(section, key.key) != defaults.value(section, key.key);
        })) << key.key;
    }
}

// A first start puts the right letters on air and takes the clock time's offsets from the system;
// a file written before these settings existed keeps what it had: no conversion, typed offsets.
TEST_F(SettingsFileTest, AFirstStartConvertsLettersAndTakesTheTimeZone) {
    struct Case {
        const char* name;
        std::optional<std::string> file;
        int conversion;
        bool timeZone;
    };
    const Case cases[] = {
        {"no file", std::nullopt, 2, true},
        {"an empty file", "", 0, false},
        {"an older file", "[General]\r\nPI=2F0A\r\n", 0, false},
        {"a file with both keys", "[Config]\r\nTimeZoneOffsets=1\r\n[General]\r\nANSIConversion=1\r\n", 1,
         true},
        {"a file with the first start's",
         "[Config]\r\nTimeZoneOffsets=0\r\n[General]\r\nANSIConversion=2\r\n", 2, false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path());
        if (c.file) {
            fakes::TempFolder::writeFile(path(), *c.file);
        }
        model::StationSettings loaded;
        loaded.setChoice("RBANSIC", 1); // whatever stood before loading
        loaded.setFlag("CBCTTZ", false);
        file.LoadRDSFN(loaded);
        EXPECT_EQ(loaded.choice("RBANSIC"), c.conversion) << c.name;
        EXPECT_EQ(loaded.flag("CBCTTZ"), c.timeZone) << c.name;
    }
}

// A file the operator keeps private stays private: a save writes a new file and renames it into
// place, which must carry the old file's permission bits over.
TEST_F(SettingsFileTest, ASaveKeepsTheFilesPermissionBits) {
    const mode_t umask = ::umask(022);
    for (const mode_t mode : {0600, 0640, 0644, 0664}) {
        fakes::TempFolder::writeFile(path(), "[General]\r\nPI=2F0A\r\n");
        ASSERT_EQ(::chmod(path().c_str(), mode), 0);
        saveOf([](auto&) {});
        struct stat status {};
        ASSERT_EQ(::stat(path().c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode) << std::oct << mode;
    }
    std::filesystem::remove(path());
    saveOf([](auto&) {});
    struct stat status {};
    ASSERT_EQ(::stat(path().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644U) << "a new file: 0666 less the umask";
    ::umask(umask);
}

// Found by fuzzing: a lone CR in a value was kept on loading but saved as a blank.
TEST_F(SettingsFileTest, AValueHoldingACarriageReturnLoadsBackAsItWasSaved) {
    fakes::TempFolder::writeFile(path(), "[Config]\r\nTop=120\r\n[General]\r\nAF1=87.6\r\x02"s);
    model::StationSettings first;
    file.LoadRDSFN(first);
    file.SaveRDSFN(first);
    model::StationSettings second;
    file.LoadRDSFN(second);
    EXPECT_EQ(first.cell("SGAF", 0, 1), "87.6 \x02");
    EXPECT_EQ(second.cell("SGAF", 0, 1), first.cell("SGAF", 0, 1));
}

TEST_F(SettingsFileTest, BlanksQuotesAndStepsComeBackExactly) {
    saveOf(changeEverySetting);
    model::StationSettings loaded;
    file.LoadRDSFN(loaded);
    EXPECT_EQ(loaded.text("PSDEF"), " K\xc9RVEL ");
    EXPECT_EQ(loaded.text("RT1"), "\"Quoted\" news");
    EXPECT_EQ(loaded.text("RT3"), "trailing blanks  ");
    EXPECT_EQ(loaded.cell("DPS1", 4), " L4 \"x\"");
    EXPECT_EQ(loaded.text("ECUSCH"), "\"");
    EXPECT_EQ(loaded.decimalText("SEDPS1DL"), "18.9");
    EXPECT_EQ(loaded.decimalText("SEPHASE"), "170.46");
    EXPECT_EQ(loaded.program().windowLeft, -45);
    EXPECT_EQ(loaded.choice("CBPORT"), 4);
    EXPECT_EQ(loaded.caption("BSETCT"), "Start") << "running clock time starts again";
}

TEST_F(SettingsFileTest, AFirstSaveWritesTheSectionsAndKeysInTheirOrder) {
    const std::string text = saveOf(changeEverySetting);
    const std::string expected =
        "[Config]\nTop=123\nLeft=-45\nVisible=0\nLabelColor=9\nHighPriority=1\nConfirmExit=1\nMinimizeToTray="
        "1\n"
        "PTYCodes=2\nHardware=0\nPort=4\nBidirectional=1\nLogoPicture=/pictures/skin 1.bmp\nUTCOffset=-5\n"
        "SummerTimeOffset=-2\nTimeZoneOffsets=0\nDPSFromFile=Last DPS title\nRTFromFile=Last RT "
        "title\nSlow=0\nLPT2Address=888\n"
        "CTState=Start\n"
        "[General]\nPhaseShift=18\nClockSource=1\nPLLRange=1\nDefaultPS=\" K\xc9RVEL "
        "\"\nPI=C0DE\nTP=1\nTA=1\n"
        "PTY=26\nMS=0\nDI0=1\nDI1=0\nDI2=1\nDI3=1\nAF1=87.6\nAF2=88.6\nAF3=89.6\nAF4=90.6\nAF5=91.6\nAF6=92."
        "6\n"
        "AF7=93.6\nAF8=94.6\nAF9=95.6\nAF10=96.6\nAF11=97.6\nAF12=98.6\nAF13=99.6\nAF14=100.6\nAF15=101.6\n"
        "DPSLabelPeriod=15\nRT1Type=1\nRT2Type=0\nRT3Type=1\nRT4Type=0\nDPSLabelsDelay=0\nRemoveNumbering=1\n"
        "RemoveBrackets=1\nConvertToCapitals=1\nJustification0=0\nJustification1=1\nJustification2=0\nFill0="
        "0\n"
        "Fill1=1\nFillChar=\"\"\"\"\nANSIConversion=1\n"
        "[DPS1]\nLabel0=\" L0 \"\"x\"\"\"\nLabel1=\" L1 \"\"x\"\"\"\nLabel2=\" L2 \"\"x\"\"\"\n"
        "Label3=\" L3 \"\"x\"\"\"\nLabel4=\" L4 \"\"x\"\"\"\nLabel5=\" L5 \"\"x\"\"\"\nLabel6=\" L6 "
        "\"\"x\"\"\"\n"
        "Label7=\" L7 \"\"x\"\"\"\nLabel8=\" L8 \"\"x\"\"\"\nText=Now \"on\" "
        "air\nEnabled=1\nDelay=7\nMode=3\n"
        "FromFile=1\nSendOnChange=0\nSourceFile=/air/now "
        "playing*.txt\nReadFrom=0\nCutBeginning=3\nCutEnd=63\n"
        "Prefix=\" Now: \"\nFallback=1\nFallbackAfter=30\nFallbackText=\" Radio \"\"K\"\" \"\n"
        "[DataGroups]\nEnabled=1\nGroupType1=31\nByte14=1F\nByte15=A0\nByte16=0B\nByte17=C3\nByte18=FF\n"
        "[Radiotext]\nEnabled=1\nRadiotext1=\"\"\"Quoted\"\" news\"\nRadiotext12=\"  leading blanks\"\n"
        "Radiotext13=\"trailing blanks  "
        "\"\nRadiotext14=\"'single'\"\nSelRT1=0\nSelRT2=0\nSelRT3=1\nSelRT4=0\n"
        "PrevRTType=1\nRTTypeAuto=0\nAutoSendNext=1\nSendNextAfter=240\nFromFile=1\nSendOnChange=0\n"
        "SourceFile=rt.txt\nReadFrom=0\nCutBeginning=1\nCutEnd=2\nPrefix=\"RT: \"\n"
        "Fallback=1\nFallbackAfter=240\nFallbackText=\"Slogan\"\n";
    EXPECT_EQ(text, expected);
}

TEST_F(SettingsFileTest, StepsAreStoredWithoutDrift) {
    struct Case {
        model::ControlName control;
        double value;
        const char* key;
        const char* stored;
        const char* restored;
    };
    const Case cases[] = {
        {"SEDPS1DL", 18.9, "Delay", "7", "18.9"},          {"SEDPS1DL", 688.5, "Delay", "255", "688.5"},
        {"SEPHASE", 170.46, "PhaseShift", "18", "170.46"}, {"SEPHASE", 9.47, "PhaseShift", "1", "9.47"},
        {"SEDPSLP", 2.5, "DPSLabelPeriod", "5", "2.5"},    {"SEDPSLP", 128, "DPSLabelPeriod", "256", "128.0"},
        {"SERTSW", 239, "SendNextAfter", "239", "239"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control.str()) + " " + std::to_string(c.value));
        model::StationSettings settings;
        settings.setDecimal(c.control, c.value);
        for (int round = 0; round < 3; ++round) {
            file.SaveRDSFN(settings);
            file.LoadRDSFN(settings);
        }
        EXPECT_NE(saved().find("\n"s + c.key + "=" + c.stored + "\n"), std::string::npos);
        EXPECT_EQ(settings.decimalText(c.control), c.restored);
    }
    model::StationSettings typed;
    typed.setDecimalText("SERTSW", "4.9");
    file.SaveRDSFN(typed);
    EXPECT_NE(saved().find("\nSendNextAfter=4\n"), std::string::npos) << "a fraction is cut off";
}

struct LoadCase {
    const char* name;
    std::string file;
    std::function<void(model::StationSettings&)> check;
};

// Loads each file into settings that hold a known non-default value first, so that "left as it
// is" and "the default" can be told apart.
TEST_F(SettingsFileTest, EachKeyIsCheckedAsItIsLoaded) {
    const auto before = [](model::StationSettings& s) {
        s.setChoice("PTY", 5);
        s.setChoice("RGDPS1M", 1);
        s.setChoice("RGCS", 0);
        s.setText("RT4", "own text");
        s.setDecimal("SEDPS1DL", 2.7);
        s.setInteger("SESMTO", 0);
        s.setFlag("CBR1FB", true);
        s.setInteger("SER1FB", 3);
        s.setText("ER1FB", "own slogan");
    };
    const LoadCase cases[] = {
        {"Port 300", "[Config]\nPort=300\n", [](auto& s) { EXPECT_EQ(s.choice("CBPORT"), 257); }},
        {"Port -1", "[Config]\nPort=-1\n", [](auto& s) { EXPECT_EQ(s.choice("CBPORT"), 257); }},
        {"Port 3", "[Config]\nPort=3\n", [](auto& s) { EXPECT_EQ(s.choice("CBPORT"), 3); }},
        {"PTY 40 keeps the PTY", "[General]\nPTY=40\n", [](auto& s) { EXPECT_EQ(s.choice("PTY"), 5); }},
        {"PTY 0x1F", "[General]\nPTY=0x1F\n", [](auto& s) { EXPECT_EQ(s.choice("PTY"), 31); }},
        {"PTY abc keeps the PTY", "[General]\nPTY=abc\n", [](auto& s) { EXPECT_EQ(s.choice("PTY"), 5); }},
        {"Mode 4 keeps the mode", "[DPS1]\nMode=4\n", [](auto& s) { EXPECT_EQ(s.choice("RGDPS1M"), 1); }},
        {"ClockSource 7", "[General]\nClockSource=7\n", [](auto& s) { EXPECT_EQ(s.choice("RGCS"), 1); }},
        {"ClockSource abc keeps it", "[General]\nClockSource=abc\n",
         [](auto& s) { EXPECT_EQ(s.choice("RGCS"), 0); }},
        {"UTCOffset 13", "[Config]\nUTCOffset=13\n", [](auto& s) { EXPECT_EQ(s.integer("SEUTCO"), 0); }},
        {"UTCOffset -12", "[Config]\nUTCOffset=-12\n", [](auto& s) { EXPECT_EQ(s.integer("SEUTCO"), -12); }},
        {"SummerTimeOffset 13", "[Config]\nSummerTimeOffset=13\n",
         [](auto& s) { EXPECT_EQ(s.integer("SESMTO"), 1); }},
        {"SummerTimeOffset 5", "[Config]\nSummerTimeOffset=5\n",
         [](auto& s) { EXPECT_EQ(s.integer("SESMTO"), 2); }},
        {"SummerTimeOffset -5", "[Config]\nSummerTimeOffset=-5\n",
         [](auto& s) { EXPECT_EQ(s.integer("SESMTO"), -2); }},
        {"SummerTimeOffset missing", "", [](auto& s) { EXPECT_EQ(s.integer("SESMTO"), 1); }},
        {"Hardware 5", "[Config]\nHardware=5\n", [](auto& s) { EXPECT_EQ(s.choice("RGHTYP"), 1); }},
        {"Hardware -3", "[Config]\nHardware=-3\n", [](auto& s) { EXPECT_EQ(s.choice("RGHTYP"), -1); }},
        {"PTYCodes 3", "[Config]\nPTYCodes=3\n", [](auto& s) { EXPECT_EQ(s.choice("RBPTYC"), 0); }},
        {"LabelColor beyond the list", "[Config]\nLabelColor=99\n",
         [](auto& s) { EXPECT_EQ(s.choice("ColorBox1"), 99); }},
        {"CTState Start", "[Config]\nCTState=Start\n",
         [](auto& s) { EXPECT_EQ(s.caption("BSETCT"), "Start"); }},
        {"CTState start", "[Config]\nCTState=start\n",
         [](auto& s) { EXPECT_EQ(s.caption("BSETCT"), "start"); }},
        {"CTState missing", "", [](auto& s) { EXPECT_EQ(s.caption("BSETCT"), "Stop"); }},
        {"Radiotext14 missing", "[Radiotext]\nRadiotext13=\"third\"\n",
         [](auto& s) {
             EXPECT_EQ(s.text("RT3"), "third");
             EXPECT_EQ(s.text("RT4"), "own text");
         }},
        {"TA is not read", "[General]\nTA=1\n", [](auto& s) { EXPECT_FALSE(s.flag("TA")); }},
        {"an empty file: the defaults of the keys", "",
         [](auto& s) {
             EXPECT_FALSE(s.flag("CBSS")) << "a missing key clears Slow";
             EXPECT_TRUE(s.flag("CBAUTO"));
             EXPECT_EQ(s.program().windowTop, 10);
             EXPECT_TRUE(s.program().startVisible);
             EXPECT_EQ(s.text("ELPTA"), "632");
             EXPECT_EQ(s.text("LImageFile"), "(none)");
             EXPECT_EQ(s.choice("PTY"), 5);
         }},
        {"Visible abc is the default", "[Config]\nVisible=abc\n",
         [](auto& s) { EXPECT_TRUE(s.program().startVisible); }},
        {"any non-zero number is true", "[General]\nTP=-2\n", [](auto& s) { EXPECT_TRUE(s.flag("TP")); }},
        {"Delay beyond the range", "[DPS1]\nDelay=1000\n",
         [](auto& s) { EXPECT_EQ(s.decimalText("SEDPS1DL"), "688.5"); }},
        {"Delay abc keeps it", "[DPS1]\nDelay=abc\n",
         [](auto& s) { EXPECT_EQ(s.decimalText("SEDPS1DL"), "2.7"); }},
        {"DPSLabelPeriod 0", "[General]\nDPSLabelPeriod=0\n",
         [](auto& s) { EXPECT_EQ(s.decimalText("SEDPSLP"), "0.5"); }},
        {"CutBeginning 99", "[DPS1]\nCutBeginning=99\n", [](auto& s) { EXPECT_EQ(s.integer("SED1BE"), 63); }},
        {"a file older than the fallback: off, after 10 minutes, no text", "[Radiotext]\nPrefix=\"RT: \"\n",
         [](auto& s) {
             EXPECT_FALSE(s.flag("CBR1FB"));
             EXPECT_EQ(s.integer("SER1FB"), 10);
             EXPECT_EQ(s.text("ER1FB"), "");
         }},
        {"FallbackAfter 0", "[Radiotext]\nFallbackAfter=0\n",
         [](auto& s) { EXPECT_EQ(s.integer("SER1FB"), 1); }},
        {"quoted blanks", "[General]\nDefaultPS=  \"  A  \"  \n",
         [](auto& s) { EXPECT_EQ(s.text("PSDEF"), "  A  "); }},
        {"doubled quotes", "[Radiotext]\nRadiotext1=\"say \"\"hi\"\"\"\n",
         [](auto& s) { EXPECT_EQ(s.text("RT1"), "say \"hi\""); }},
        {"an unquoted key loses its blanks", "[DPS1]\nText=  spaced  \n",
         [](auto& s) { EXPECT_EQ(s.text("DPS1B"), "spaced"); }},
        {"letter case of sections and keys", "[general]\npty=7\n",
         [](auto& s) { EXPECT_EQ(s.choice("PTY"), 7); }},
        {"a key in the wrong section", "[Config]\nPTY=7\n", [](auto& s) { EXPECT_EQ(s.choice("PTY"), 5); }},
        {"SelRT3 alone selects message 3", "[Radiotext]\nSelRT3=1\n",
         [](auto& s) { EXPECT_TRUE(s.flag("RBRT3")); }},
        {"the last justification set wins",
         "[General]\nJustification0=1\nJustification1=1\nJustification2=0\n",
         [](auto& s) { EXPECT_TRUE(s.flag("RBJUST1")); }},
        {"CR LF line ends", "[General]\r\nPTY=9\r\nDefaultPS=\" X \"\r\n",
         [](auto& s) {
             EXPECT_EQ(s.choice("PTY"), 9);
             EXPECT_EQ(s.text("PSDEF"), " X ");
         }},
        {"a 5,000-character value", "[Radiotext]\nRadiotext1=" + std::string(5000, 'r') + "\n",
         [](auto& s) { EXPECT_EQ(s.text("RT1").size(), 2047u); }},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::TempFolder::writeFile(path(), c.file);
        model::StationSettings settings;
        before(settings);
        file.LoadRDSFN(settings);
        c.check(settings);
    }
}

TEST_F(SettingsFileTest, ASaveKeepsTheLinesItDoesNotOwnInTheirPlaces) {
    const std::string own = "; written by hand\r\n[Config]\r\nTop=1\r\nNote=mine\r\n[Mine]\r\nA=1\r\n";
    fakes::TempFolder::writeFile(path(), own);
    const std::string text = saveOf([](auto&) {});
    EXPECT_EQ(text.rfind("; written by hand\r\n[Config]\r\nTop=10\r\nNote=mine\r\nLeft=10\r\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("\r\nCTState=Stop\r\n[Mine]\r\nA=1\r\n[General]\r\n"), std::string::npos) << text;
}

TEST_F(SettingsFileTest, AHostileFileLoadsAndTheNextSaveIsClean) {
    std::mt19937 random(7);
    std::string junk(10u << 20, '\0');
    for (char& byte : junk) {
        byte = static_cast<char>(random());
    }
    const std::string files[] = {
        junk,
        "[General]\nPTY=-99999999999\nMS=99999999999\n[DPS1]\nDelay=-5\nMode=2147483647\nText=" +
            std::string(5000, 'x') + "\n[Radiotext]\nRadiotext1=\"" + std::string(5000, '"') + "\n",
        "[Config]\nTop\n=\n==\n[Config]\nTop=1\nTop=2\n[General]\nTop=3\n[\n]\n[]\n=5\n",
        "[DataGroups]\nByte14=ZZZ\nGroupType1=40\n[Config]\nCTState=" + std::string(3000, 'S'),
    };
    for (const std::string& hostile : files) {
        SCOPED_TRACE(hostile.substr(0, 40));
        fakes::TempFolder::writeFile(path(), hostile);
        model::StationSettings settings;
        file.LoadRDSFN(settings);
        startUpSteps(settings);
        file.SaveRDSFN(settings);
        const std::string first = saved();
        model::StationSettings again;
        file.LoadRDSFN(again);
        startUpSteps(again);
        file.SaveRDSFN(again);
        EXPECT_TRUE(saved() == first) << "the saved file reads back as it was saved";
        const IniFile clean = IniFile::parse(first);
        for (const SettingsKey& key : kSettingsKeys) {
            const std::string_view section = kSectionNames[static_cast<std::size_t>(key.section)];
            EXPECT_TRUE(clean.value(section, key.key).has_value()) << key.key;
        }
    }
}

// The data folder removed while the program runs (a cleaned home, a remounted share): the next
// save makes it again and writes the whole file.
TEST_F(SettingsFileTest, ADataFolderThatVanishedIsMadeAgain) {
    saveOf([](auto& s) { s.setText("PSDEF", "OLD"); });
    std::filesystem::remove_all(path().parent_path());
    saveOf([](auto& s) { s.setText("PSDEF", "NEW"); });
    model::StationSettings loaded;
    file.LoadRDSFN(loaded);
    EXPECT_EQ(loaded.text("PSDEF"), "NEW");
}

// --- A save that fails ------------------------------------------------------------------------

class FailingSaveTest : public SettingsFileTest {
protected:
    void SetUp() override {
        old = saveOf([](auto& s) { s.setText("PSDEF", "OLD"); });
    }

    // Saves a changed station and expects the error message and the old file, untouched.
    void expectRefused() {
        model::StationSettings settings;
        settings.setText("PSDEF", "NEW");
        try {
            file.SaveRDSFN(settings);
            ADD_FAILURE() << "the save reported no error";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), "Unable to write to " + path().string());
        }
    }
    void expectOldFileWhole() {
        EXPECT_EQ(saved(), old);
        for (const auto& entry : std::filesystem::directory_iterator(path().parent_path())) {
            EXPECT_EQ(entry.path().filename(), "korvel.rds") << "no left-over files";
        }
    }

    std::string old;
};

TEST_F(FailingSaveTest, AFullDiskLeavesTheOldFile) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    ::sigaction(SIGXFSZ, &ignore, &previous);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{100, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    expectRefused();
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::sigaction(SIGXFSZ, &previous, nullptr);
    expectOldFileWhole();
}

TEST_F(FailingSaveTest, ASettingsPathThatIsAFolderStaysAFolder) {
    std::filesystem::remove(path());
    std::filesystem::create_directory(path());
    fakes::TempFolder::writeFile(path() / "inside", "kept");
    expectRefused();
    EXPECT_EQ(fakes::TempFolder::readFile(path() / "inside"), "kept");
}

// A link to /dev/null, say: the save must not put a file in its place.
TEST_F(FailingSaveTest, ASettingsPathThatIsAPipeStaysAPipe) {
    std::filesystem::remove(path());
    ASSERT_EQ(::mkfifo(path().c_str(), 0600), 0);
    expectRefused();
    EXPECT_TRUE(std::filesystem::is_fifo(path()));
}

TEST_F(FailingSaveTest, ADataFolderThatCannotBeMadeIsReported) {
    const SettingsFile blocked(ProgramFolder("/opt/studio/korvel"),
                               {(temp / "studio/korvel.rds").string(), {}});
    model::StationSettings settings;
    try {
        blocked.SaveRDSFN(settings);
        ADD_FAILURE() << "the save reported no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(),
                  "Unable to write to " + (temp / "studio/korvel.rds/studio/korvel.rds").string());
    }
    expectOldFileWhole();
}

// Run in a child process that is not the superuser, whom no file mode stops.
TEST_F(FailingSaveTest, AReadOnlyFileOrFolderIsNotReplaced) {
    using std::filesystem::perms;
    constexpr perms kReadOnly = perms::owner_read | perms::group_read | perms::others_read;
    constexpr perms kReadOnlyFolder = kReadOnly | perms::owner_exec | perms::group_exec | perms::others_exec;
    const std::filesystem::path folder = path().parent_path();
    for (const bool wholeFolder : {false, true}) {
        SCOPED_TRACE(wholeFolder ? "read-only folder" : "read-only file");
        std::filesystem::permissions(temp.root(), perms::all);
        std::filesystem::permissions(folder, wholeFolder ? kReadOnlyFolder : perms::all);
        std::filesystem::permissions(path(), wholeFolder ? perms::all : kReadOnly);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                ::_exit(2);
            }
            expectRefused();
            ::_exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        std::filesystem::permissions(folder, perms::owner_all);
        expectOldFileWhole();
    }
}

// A pipe in the settings file's place would wait for a writer for ever.
TEST_F(SettingsFileTest, ASettingsFileThatIsAPipeReadsAsNoFile) {
    std::filesystem::create_directories(path().parent_path());
    ASSERT_EQ(::mkfifo(path().c_str(), 0600), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        model::StationSettings settings;
        file.LoadRDSFN(settings);
        ::_exit(settings.flag("CBSS") ? 1 : 0);
    }
    int status = -1;
    for (int wait = 0; wait < 200 && ::waitpid(child, &status, WNOHANG) == 0; ++wait) {
        ::usleep(10000);
    }
    if (status == -1) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    EXPECT_EQ(status, 0) << "loading ended with the defaults of a missing file";
}

TEST_F(SettingsFileTest, ALinkedSettingsFileIsWrittenWhereItLeads) {
    fakes::TempFolder::writeFile(temp / "elsewhere/korvel.rds", "");
    std::filesystem::create_directories(path().parent_path());
    std::filesystem::create_symlink(temp / "elsewhere/korvel.rds", path());
    saveOf([](auto&) {});
    EXPECT_TRUE(std::filesystem::is_symlink(path()));
    EXPECT_NE(fakes::TempFolder::readFile(temp / "elsewhere/korvel.rds").find("[Radiotext]"),
              std::string::npos);
}

// A save killed at any moment, as a power cut or kill -9 would, leaves the old file or the new
// one, whole: a loop of 1,000 saves, each of its own settings, killed at random moments.
TEST_F(SettingsFileTest, AKilledLoopOfSavesNeverLeavesABrokenFile) {
    constexpr int kSaves = 1000;
    constexpr int kKills = 20;
    const auto station = [](int save) {
        return [save](model::StationSettings& s) {
            s.setText("PSDEF", std::to_string(save));
            s.setText("RT1",
                      std::string(static_cast<std::size_t>(save % 64), static_cast<char>('a' + save % 26)));
        };
    };
    // A kill skips no flush that matters, so the loop runs in memory where it can: on a disk the
    // flushes would make the test a minute long.
    const fakes::TempFolder memory(
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path());
    const SettingsFile looped(ProgramFolder("/opt/studio/korvel"), {memory.root().string(), std::nullopt});
    const std::filesystem::path target = memory / "studio/korvel.rds";
    const auto onDisk = [&] { return fakes::TempFolder::readFile(target); };
    // What save number n writes, made in a folder of its own.
    const SettingsFile reference(ProgramFolder("/opt/studio/korvel"),
                                 {(temp / "reference").string(), std::nullopt});
    const auto expected = [&](int save) {
        model::StationSettings settings;
        station(save)(settings);
        reference.SaveRDSFN(settings);
        return fakes::TempFolder::readFile(temp / "reference/studio/korvel.rds");
    };
    const auto runSaves = [&](std::optional<useconds_t> killAfter) {
        const pid_t child = ::fork();
        if (child == 0) {
            try {
                for (int save = 0; save < kSaves; ++save) {
                    model::StationSettings settings;
                    station(save)(settings);
                    looped.SaveRDSFN(settings);
                }
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        int status = 0;
        if (killAfter) {
            ::usleep(*killAfter);
            ::kill(child, SIGKILL);
        }
        ::waitpid(child, &status, 0);
        return status;
    };
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(runSaves(std::nullopt), 0);
    const auto whole =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(onDisk(), expected(kSaves - 1));

    std::random_device seed;
    const unsigned seedValue = seed();
    std::mt19937 random(seedValue);
    SCOPED_TRACE("seed " + std::to_string(seedValue));
    for (int kill = 0; kill < kKills; ++kill) {
        runSaves(
            std::uniform_int_distribution<useconds_t>(0, static_cast<useconds_t>(whole.count()))(random));
        const std::string now = onDisk();
        const std::size_t number = now.find("DefaultPS=");
        ASSERT_NE(number, std::string::npos) << "kill " << kill << ": " << now.size() << " bytes";
        const int save = std::atoi(now.c_str() + number + std::string_view("DefaultPS=\"").size());
        ASSERT_EQ(now, expected(save)) << "kill " << kill << " after save " << save;
    }
    model::StationSettings last;
    looped.SaveRDSFN(last);
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path())) {
        EXPECT_EQ(entry.path().filename(), "korvel.rds") << "the killed saves' files are cleared";
    }
}

} // namespace
} // namespace korvel::settings
