#pragma once

#include "model/ItemLists.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string_view>

namespace korvel::model {

// Every named control of the window with its kind, limits and default: the state of a fresh
// window, before the settings file is loaded.

// How a text's bytes are read: station texts are bytes of the desktop code page; the program's
// own messages (the status bar, which may name any character or a file path) are UTF-8.
enum class TextEncoding : std::uint8_t { CodePage, Utf8 };

// Whose words a text holds: the station's (shown exactly as they are) or the program's own, which
// the window shows in the operator's language when a translation gives them.
enum class TextWords : std::uint8_t { Station, Program };

struct TextDef {
    std::string_view name;
    int maxLength; // what the editor lets the operator type; 0 = no limit
    std::string_view initial;
    ItemSource items = nullptr; // drop-down suggestions of an editable list
    TextEncoding encoding = TextEncoding::CodePage;
    TextWords words = TextWords::Station;
};

struct ChoiceDef {
    std::string_view name;
    ItemSource items;
    int initial;
};

struct FlagDef {
    std::string_view name;
    bool initial;
    std::string_view group = {}; // one-of group: setting one flag clears the others
};

struct CheckListDef {
    std::string_view name;
    ItemSource items;
};

struct IntegerDef {
    std::string_view name;
    int min;
    int max;
    int initial;
};

// Whether the operator may type a decimal's text, or only step it with the spin buttons.
enum class DecimalEntry : std::uint8_t { Typed, Stepped };

struct DecimalDef {
    std::string_view name;
    double min;
    double max;
    double step;
    int decimals;
    double initial;
    std::string_view unit;
    DecimalEntry entry;
    double specialAt = 0;              // the value that shows specialUnit instead of unit
    std::string_view specialUnit = {}; // empty: no special value
};

struct GridDef {
    std::string_view name;
    int rows;
    int columns;
    int cellMaxLength;       // 0 = no limit
    bool rowNumbers = false; // column 0 holds "1".."rows" and is not edited
};

struct CommandDef {
    std::string_view name;
    std::string_view caption = {}; // empty: the window's own caption, never changed by the logic
    bool enabled = true;
    bool visible = true;
};

// When a timer's ticks fall: a period after the one before, or on the wall clock's multiples
// of the interval (the clock time's tenths of a second, so that the minute's edge is met).
enum class TimerTiming : std::uint8_t { Periodic, OnTheWallClock };

struct TimerDef {
    std::string_view name;
    std::chrono::milliseconds interval;
    bool enabled;
    TimerTiming timing = TimerTiming::Periodic;
};

inline constexpr std::array<std::string_view, 2> kMusicSpeech{"Speech", "Music"};
inline constexpr std::array<std::string_view, 4> kDpsModes{"0 - Fixed 8 characters", "1 - Scrolling text",
                                                           "2 - Word alignment",
                                                           "3 - Space separated scrolling text"};
inline constexpr std::array<std::string_view, 2> kScrollSpeeds{"High", "Low (recommended)"};
inline constexpr std::array<std::string_view, 2> kRadiotextTypes{"A", "B"};
inline constexpr std::array<std::string_view, 2> kClockSources{"Internal (mono)", "Auto (stereo)"};
inline constexpr std::array<std::string_view, 2> kPllRanges{"19000 +/- 5 Hz", "19000 +/- 2 Hz"};
inline constexpr std::array<std::string_view, 2> kReadFrom{"First line", "Last line"};
inline constexpr std::array<std::string_view, 3> kAnsiConversions{
    "No conversion", "Convert ext. 128-255 to similar basic 32-127",
    "Convert ext. 128-255 to EBU Latin G0 (E.1)"};
inline constexpr std::array<std::string_view, 2> kHardwareTypes{"Fennel (KX71)", "Corvid (KX93)"};
inline constexpr std::array<std::string_view, 3> kPtyCodings{"European", "U.S. (RBDS)", "Numbered only"};
inline constexpr std::array<std::string_view, 7> kPages{
    "&Program", "&Dynamic PS", "Radiot&ext", "S&ystem", "Text Sour&ces", "Hard&ware", "Pre&ferences"};
inline constexpr int kHardwarePage = 5;
inline constexpr std::array<std::string_view, 4> kDecoderIdentification{"Stereo", "Artificial Head",
                                                                        "Compressed", "Dynamic PTY"};

// clang-format off
inline constexpr std::array kTextDefs{
    // Program page
    TextDef{"PSDEF",  8, ""},
    TextDef{"PI",     4, "FFFF"},
    TextDef{"CBAF",   5, "", afFrequencyItems},
    // Dynamic PS and Radiotext pages
    TextDef{"DPS1B", 72, ""},
    TextDef{"RT1",   64, ""},
    TextDef{"RT2",   64, ""},
    TextDef{"RT3",   64, ""},
    TextDef{"RT4",   64, ""},
    // System page: user group bytes in hexadecimal and their decimal echoes
    TextDef{"DB3",    2, "00"},
    TextDef{"DB4",    2, "00"},
    TextDef{"DB5",    2, "00"},
    TextDef{"DB6",    2, "00"},
    TextDef{"DB7",    2, "00"},
    TextDef{"DB3D",   3, "0"},
    TextDef{"DB4D",   3, "0"},
    TextDef{"DB5D",   3, "0"},
    TextDef{"DB6D",   3, "0"},
    TextDef{"DB7D",   3, "0"},
    // Text sources
    TextDef{"ED1F",   0, ""},
    TextDef{"ED1PR",  0, ""},
    TextDef{"ER1F",   0, ""},
    TextDef{"ER1PR",  0, ""},
    TextDef{"ED1FB", 72, ""}, // the fallback texts: what the target takes
    TextDef{"ER1FB", 64, ""},
    TextDef{"ECUSCH", 1, "*"},
    // Hardware and preferences
    TextDef{"ELPTA",  5, "632"},
    TextDef{"LImageFile", 0, "(none)", nullptr, TextEncoding::CodePage, TextWords::Program},
    TextDef{"LOGO",   0, ""}, // the skin picture shown: its path, empty for none
    // Display values written by the logic
    TextDef{"StatusBar1", 0, "Ready", nullptr, TextEncoding::Utf8, TextWords::Program},
    TextDef{"LS",     0, "Not connected", nullptr, TextEncoding::CodePage, TextWords::Program},
    TextDef{"LTIME",  0, "0:00"},
    TextDef{"LDATE",  0, "0.00.00"},
    TextDef{"LP",     0, "--------"},
    TextDef{"STEXMP", 0, ""},
    TextDef{"LABV",   0, "Version 1.1b", nullptr, TextEncoding::CodePage, TextWords::Program},
};
static_assert(kTextDefs.size() == 35);

inline constexpr std::array kChoiceDefs{
    ChoiceDef{"PTY",       fixedItems<kPtyEuropean>,     0},
    ChoiceDef{"MS",        fixedItems<kMusicSpeech>,     1},
    ChoiceDef{"RGDPS1M",   fixedItems<kDpsModes>,        2},
    ChoiceDef{"RGDLD",     fixedItems<kScrollSpeeds>,    1},
    ChoiceDef{"CBRTT1",    fixedItems<kRadiotextTypes>,  0},
    ChoiceDef{"CBRTT2",    fixedItems<kRadiotextTypes>,  0},
    ChoiceDef{"CBRTT3",    fixedItems<kRadiotextTypes>,  0},
    ChoiceDef{"CBRTT4",    fixedItems<kRadiotextTypes>,  0},
    ChoiceDef{"RGCS",      fixedItems<kClockSources>,    0},
    ChoiceDef{"RGPLLR",    fixedItems<kPllRanges>,       0},
    ChoiceDef{"CBGRTYP",   groupTypeItems,               2},
    ChoiceDef{"RGD1L",     fixedItems<kReadFrom>,        1},
    ChoiceDef{"RGR1L",     fixedItems<kReadFrom>,        1},
    ChoiceDef{"RBANSIC",   fixedItems<kAnsiConversions>, 2},
    ChoiceDef{"RGHTYP",    fixedItems<kHardwareTypes>,   1},
    ChoiceDef{"CBPORT",    portItems,                    kPortNone},
    ChoiceDef{"RBPTYC",    fixedItems<kPtyCodings>,      0},
    ChoiceDef{"ColorBox1", fixedItems<kLabelColours>,    kWindowTextColour},
    ChoiceDef{"PageControl1", fixedItems<kPages>,        0},
};
static_assert(kChoiceDefs.size() == 19);

inline constexpr std::array kFlagDefs{
    FlagDef{"TP",      false},
    FlagDef{"TA",      false},
    FlagDef{"DPS1EN",  false},
    FlagDef{"CBRTEN",  false},
    FlagDef{"RTSA",    false},
    FlagDef{"CBAUTO",  true},
    FlagDef{"STMEN",   false},
    FlagDef{"CBCTTZ",  true}, // the clock-time offsets from the system's time zone
    FlagDef{"CBUDGEN", false},
    FlagDef{"CBD1FF",  false},
    FlagDef{"CBD1SC",  true},
    FlagDef{"CBR1FF",  false},
    FlagDef{"CBR1SC",  true},
    FlagDef{"CBD1FB",  false},
    FlagDef{"CBR1FB",  false},
    FlagDef{"CBRSN",   false},
    FlagDef{"CBREIB",  false},
    FlagDef{"CBCTC",   false},
    FlagDef{"CBBI",    false},
    FlagDef{"CBSS",    true},
    FlagDef{"CBHPRI",  false},
    FlagDef{"ALONTOP", false},
    FlagDef{"CBCOEX",  false},
    FlagDef{"CBMITR",  false},
    FlagDef{"RBRT1",   true,  "RBRT"},
    FlagDef{"RBRT2",   false, "RBRT"},
    FlagDef{"RBRT3",   false, "RBRT"},
    FlagDef{"RBRT4",   false, "RBRT"},
    FlagDef{"RBJUST0", false, "RBJUST"},
    FlagDef{"RBJUST1", false, "RBJUST"},
    FlagDef{"RBJUST2", true,  "RBJUST"},
    FlagDef{"RBFILSP", true,  "RBFIL"},
    FlagDef{"RBFILCU", false, "RBFIL"},
    // Whether the window shows values the encoder was not given: until the first Send or Read
    FlagDef{"UNSENT",  true},
};
static_assert(kFlagDefs.size() == 34);

inline constexpr std::array kCheckListDefs{
    CheckListDef{"DI", fixedItems<kDecoderIdentification>},
};

inline constexpr std::array kIntegerDefs{
    IntegerDef{"SED1BE",   0, 63, 0},
    IntegerDef{"SED1EN",   0, 63, 0},
    IntegerDef{"SER1BE",   0, 63, 0},
    IntegerDef{"SER1EN",   0, 63, 0},
    IntegerDef{"SED1FB",   1, 240, 10}, // minutes without a new title before the fallback
    IntegerDef{"SER1FB",   1, 240, 10},
    IntegerDef{"SEUTCO", -12, 12, 0},
    IntegerDef{"SESMTO",  -2,  2, 1},
};
static_assert(kIntegerDefs.size() == 8);

inline constexpr std::array kDecimalDefs{
    //          name        min   max     step  dec initial unit       entry                  special value
    DecimalDef{"SEDPS1DL", 0.0,  688.5,  2.7,  1,  21.6,   "sec",     DecimalEntry::Stepped, 688.5, "(infinite)"},
    DecimalDef{"SEDPSLP",  0.5,  128.0,  0.5,  1,  2.5,    "sec",     DecimalEntry::Stepped},
    DecimalDef{"SERTSW",   0.0,  240.0,  1.0,  0,  5.0,    "min",     DecimalEntry::Typed,   0.0,   ".5 min"},
    DecimalDef{"SEPHASE",  0.0,  170.46, 9.47, 2,  0.0,    "degrees", DecimalEntry::Typed},
};
static_assert(kDecimalDefs.size() == 4);

inline constexpr std::array kGridDefs{
    GridDef{"SGAF", 15, 2, 5, true},
    GridDef{"DPS1",  9, 1, 8},
};

inline constexpr std::array kCommandDefs{
    // Main buttons
    CommandDef{"BSEND1"}, CommandDef{"BSTOR1"}, CommandDef{"BREC1"}, CommandDef{"MExit"},
    CommandDef{"GBHELP", {}, true, false},
    // Buttons of the pages
    CommandDef{"BSETTA"}, CommandDef{"BRESET"}, CommandDef{"BSWOFF"}, CommandDef{"BSWON"},
    CommandDef{"BSTAT"}, CommandDef{"BR1"}, CommandDef{"BR8"}, CommandDef{"BR9"},
    CommandDef{"BitBtn1"}, CommandDef{"BCUPD"},
    CommandDef{"BSETCT", "Start"},
    // Labels and menu items the logic shows or hides
    CommandDef{"LCT", {}, true, false},
    // The hardware descriptions match the default type, Corvid.
    CommandDef{"LHDES0", {}, true, false}, CommandDef{"LHDES1a"}, CommandDef{"LHDES1b"},
    CommandDef{"LM0"}, CommandDef{"LM123"},
    CommandDef{"Show1"}, CommandDef{"Hide1"}, CommandDef{"Exit1"},
    // The main window itself: hidden until start-up shows it (or leaves only the tray icon).
    CommandDef{"Form1", {}, true, false},
};
static_assert(kCommandDefs.size() == 26);

// Controls that only show what the logic writes: the operator never edits them.
inline constexpr std::array<std::string_view, 7> kDisplayOnly{"STMEN", "DB3D", "DB4D", "DB5D", "DB6D", "DB7D",
                                                             "UNSENT"};

inline constexpr std::array kTimerDefs{
    TimerDef{"Timer1",       std::chrono::milliseconds{3000},  true},
    TimerDef{"Timer2",       std::chrono::milliseconds{60000}, false},
    TimerDef{"Timer3",       std::chrono::milliseconds{100},   false, TimerTiming::OnTheWallClock},
    TimerDef{"TimerPreview", std::chrono::milliseconds{500},   true},
};
static_assert(kTimerDefs.size() == 4);
// clang-format on

} // namespace korvel::model
