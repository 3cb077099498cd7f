#pragma once

#include "model/ControlName.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvel::settings {

// Every key of the settings file: its section, its name, how its value is written, where the
// value lives and what loading checks. Saving and loading both walk this one table, in its
// order, which is also the order of the sections and keys of a file made by the first save.

enum class Section : std::uint8_t { Config, General, DPS1, DataGroups, Radiotext };

inline constexpr std::array<std::string_view, 5> kSectionNames{"Config", "General", "DPS1", "DataGroups",
                                                               "Radiotext"};

// How the value is written as text.
enum class ValueKind : std::uint8_t {
    Integer, // decimal
    Boolean, // "1" or "0"
    String,  // as it is; in double quotes when blanks at its ends or quotes around it need them
    Quoted,  // in double quotes, inner double quotes doubled; blanks at its ends are kept
};

// Where the value lives.
enum class Place : std::uint8_t {
    Control,         // the control's value: text, choice index, flag or integer
    Item,            // the check mark of item `index` of a check list
    Cell,            // row `index` of a grid's last column
    Steps,           // a decimal, stored as a whole number of `step`s
    WindowTop,       // the window's position
    WindowLeft,      //
    StartVisible,    // whether the window is shown
    Port,            // saved: the port row in use; loaded: the row selected in CBPORT
    ClockTimeState,  // "Start" while clock time is sent, "Stop" while not; loaded into BSETCT's caption
    RadiotextToggle, // the A/B flag of the radiotext last sent
    DpsSourceText,   // the last text taken from the dynamic PS source file
    RtSourceText,    // the last text taken from the radiotext source file
};

enum class Rounding : std::uint8_t { Nearest, Cut };

struct Where {
    Place place;
    std::optional<model::ControlName> control = std::nullopt;
    int index = 0;
    double step = 0;
    Rounding rounding = Rounding::Nearest;
};

// What loading does with a value outside its range.
enum class Range : std::uint8_t {
    Any,      // taken as it reads; the control's own limits still apply
    OnlyWhen, // outside [min, max]: the setting stays as it is
    Gives,    // outside [min, max]: `outside` is taken instead
    AtMost,   // above max: max; below 0: no choice (a choice group)
};

struct OnLoading {
    bool read = true;           // false: the key is written, never read
    bool hasDefault = false;    // false: a missing or unreadable key leaves the setting as it is
    int number = 0;             // the default of an integer or boolean key
    std::string_view text = {}; // the default of a string key
    Range range = Range::Any;
    int min = 0;
    int max = 0;
    int outside = 0;
    // The value of a first start, when there is no settings file at all; a file that lacks the
    // key is an older one and keeps what the default says.
    std::optional<int> firstStart = std::nullopt;

    [[nodiscard]] constexpr OnLoading orDefault(int value) const {
        OnLoading check = *this;
        check.hasDefault = true;
        check.number = value;
        return check;
    }
    [[nodiscard]] constexpr OnLoading orDefault(std::string_view value) const {
        OnLoading check = *this;
        check.hasDefault = true;
        check.text = value;
        return check;
    }
    [[nodiscard]] constexpr OnLoading onFirstStart(int value) const {
        OnLoading check = *this;
        check.firstStart = value;
        return check;
    }
};

struct SettingsKey {
    Section section;
    std::string_view key;
    ValueKind kind;
    Where where;
    OnLoading check;
};

namespace keys {

constexpr Where at(model::ControlName control) {
    return {Place::Control, control};
}
constexpr Where item(model::ControlName control, int index) {
    return {Place::Item, control, index};
}
constexpr Where cell(model::ControlName control, int row) {
    return {Place::Cell, control, row};
}
constexpr Where steps(model::ControlName control, double step, Rounding rounding = Rounding::Nearest) {
    return {Place::Steps, control, 0, step, rounding};
}
constexpr Where state(Place place) {
    return {place};
}

inline constexpr OnLoading kCurrent{};
inline constexpr OnLoading kWriteOnly{.read = false};

constexpr OnLoading orDefault(int value) {
    return kCurrent.orDefault(value);
}
constexpr OnLoading orDefault(std::string_view value) {
    return kCurrent.orDefault(value);
}
constexpr OnLoading onlyWhen(int min, int max) {
    return {.range = Range::OnlyWhen, .min = min, .max = max};
}
constexpr OnLoading outsideGives(int min, int max, int value) {
    return {.range = Range::Gives, .min = min, .max = max, .outside = value};
}
constexpr OnLoading atMost(int max) {
    return {.range = Range::AtMost, .max = max};
}

using enum Section;
using enum ValueKind;
using enum Place;

// clang-format off
inline constexpr std::array kSettingsKeys{
    SettingsKey{Config,     "Top",               Integer, state(WindowTop),       orDefault(10)},
    SettingsKey{Config,     "Left",              Integer, state(WindowLeft),      orDefault(10)},
    SettingsKey{Config,     "Visible",           Boolean, state(StartVisible),    orDefault(1)},
    SettingsKey{Config,     "LabelColor",        Integer, at("ColorBox1"),        kCurrent},
    SettingsKey{Config,     "HighPriority",      Boolean, at("CBHPRI"),           orDefault(0)},
    SettingsKey{Config,     "ConfirmExit",       Boolean, at("CBCOEX"),           orDefault(0)},
    SettingsKey{Config,     "MinimizeToTray",    Boolean, at("CBMITR"),           orDefault(0)},
    SettingsKey{Config,     "PTYCodes",          Integer, at("RBPTYC"),           outsideGives(0, 2, 0).orDefault(0)},
    SettingsKey{Config,     "Hardware",          Integer, at("RGHTYP"),           atMost(1).orDefault(1)},
    SettingsKey{Config,     "Port",              Integer, state(Port),            outsideGives(0, model::kPortNone, model::kPortNone).orDefault(model::kPortNone)},
    SettingsKey{Config,     "Bidirectional",     Boolean, at("CBBI"),             orDefault(0)},
    SettingsKey{Config,     "LogoPicture",       String,  at("LImageFile"),       orDefault("(none)")},
    SettingsKey{Config,     "UTCOffset",         Integer, at("SEUTCO"),           outsideGives(-12, 12, 0).orDefault(0)},
    SettingsKey{Config,     "SummerTimeOffset",  Integer, at("SESMTO"),           outsideGives(-12, 12, 1).orDefault(1)},
    SettingsKey{Config,     "TimeZoneOffsets",   Boolean, at("CBCTTZ"),           orDefault(0).onFirstStart(1)},
    SettingsKey{Config,     "DPSFromFile",       String,  state(DpsSourceText),   orDefault("")},
    SettingsKey{Config,     "RTFromFile",        String,  state(RtSourceText),    orDefault("")},
    SettingsKey{Config,     "Slow",              Boolean, at("CBSS"),             orDefault(0)},
    SettingsKey{Config,     "LPT2Address",       String,  at("ELPTA"),            orDefault("632")},
    SettingsKey{Config,     "CTState",           String,  state(ClockTimeState),  orDefault("Stop")},

    SettingsKey{General,    "PhaseShift",        Integer, steps("SEPHASE", 9.47), kCurrent},
    SettingsKey{General,    "ClockSource",       Integer, at("RGCS"),             outsideGives(0, 1, 1)},
    SettingsKey{General,    "PLLRange",          Integer, at("RGPLLR"),           outsideGives(0, 1, 1)},
    SettingsKey{General,    "DefaultPS",         Quoted,  at("PSDEF"),            kCurrent},
    SettingsKey{General,    "PI",                String,  at("PI"),               kCurrent},
    SettingsKey{General,    "TP",                Boolean, at("TP"),               kCurrent},
    SettingsKey{General,    "TA",                Boolean, at("TA"),               kWriteOnly},
    SettingsKey{General,    "PTY",               Integer, at("PTY"),              onlyWhen(0, 31)},
    SettingsKey{General,    "MS",                Integer, at("MS"),               onlyWhen(0, 1)},
    SettingsKey{General,    "DI0",               Boolean, item("DI", 0),          kCurrent},
    SettingsKey{General,    "DI1",               Boolean, item("DI", 1),          kCurrent},
    SettingsKey{General,    "DI2",               Boolean, item("DI", 2),          kCurrent},
    SettingsKey{General,    "DI3",               Boolean, item("DI", 3),          kCurrent},
    SettingsKey{General,    "AF1",               String,  cell("SGAF", 0),        kCurrent},
    SettingsKey{General,    "AF2",               String,  cell("SGAF", 1),        kCurrent},
    SettingsKey{General,    "AF3",               String,  cell("SGAF", 2),        kCurrent},
    SettingsKey{General,    "AF4",               String,  cell("SGAF", 3),        kCurrent},
    SettingsKey{General,    "AF5",               String,  cell("SGAF", 4),        kCurrent},
    SettingsKey{General,    "AF6",               String,  cell("SGAF", 5),        kCurrent},
    SettingsKey{General,    "AF7",               String,  cell("SGAF", 6),        kCurrent},
    SettingsKey{General,    "AF8",               String,  cell("SGAF", 7),        kCurrent},
    SettingsKey{General,    "AF9",               String,  cell("SGAF", 8),        kCurrent},
    SettingsKey{General,    "AF10",              String,  cell("SGAF", 9),        kCurrent},
    SettingsKey{General,    "AF11",              String,  cell("SGAF", 10),       kCurrent},
    SettingsKey{General,    "AF12",              String,  cell("SGAF", 11),       kCurrent},
    SettingsKey{General,    "AF13",              String,  cell("SGAF", 12),       kCurrent},
    SettingsKey{General,    "AF14",              String,  cell("SGAF", 13),       kCurrent},
    SettingsKey{General,    "AF15",              String,  cell("SGAF", 14),       kCurrent},
    SettingsKey{General,    "DPSLabelPeriod",    Integer, steps("SEDPSLP", 0.5),  kCurrent},
    SettingsKey{General,    "RT1Type",           Integer, at("CBRTT1"),           onlyWhen(0, 1)},
    SettingsKey{General,    "RT2Type",           Integer, at("CBRTT2"),           onlyWhen(0, 1)},
    SettingsKey{General,    "RT3Type",           Integer, at("CBRTT3"),           onlyWhen(0, 1)},
    SettingsKey{General,    "RT4Type",           Integer, at("CBRTT4"),           onlyWhen(0, 1)},
    SettingsKey{General,    "DPSLabelsDelay",    Integer, at("RGDLD"),            outsideGives(0, 1, 1)},
    SettingsKey{General,    "RemoveNumbering",   Boolean, at("CBRSN"),            orDefault(0)},
    SettingsKey{General,    "RemoveBrackets",    Boolean, at("CBREIB"),           orDefault(0)},
    SettingsKey{General,    "ConvertToCapitals", Boolean, at("CBCTC"),            orDefault(0)},
    SettingsKey{General,    "Justification0",    Boolean, at("RBJUST0"),          kCurrent},
    SettingsKey{General,    "Justification1",    Boolean, at("RBJUST1"),          kCurrent},
    SettingsKey{General,    "Justification2",    Boolean, at("RBJUST2"),          kCurrent},
    SettingsKey{General,    "Fill0",             Boolean, at("RBFILSP"),          kCurrent},
    SettingsKey{General,    "Fill1",             Boolean, at("RBFILCU"),          kCurrent},
    SettingsKey{General,    "FillChar",          Quoted,  at("ECUSCH"),           kCurrent},
    SettingsKey{General,    "ANSIConversion",    Integer, at("RBANSIC"),          outsideGives(0, 2, 0).orDefault(0).onFirstStart(2)},

    SettingsKey{DPS1,       "Label0",            Quoted,  cell("DPS1", 0),        kCurrent},
    SettingsKey{DPS1,       "Label1",            Quoted,  cell("DPS1", 1),        kCurrent},
    SettingsKey{DPS1,       "Label2",            Quoted,  cell("DPS1", 2),        kCurrent},
    SettingsKey{DPS1,       "Label3",            Quoted,  cell("DPS1", 3),        kCurrent},
    SettingsKey{DPS1,       "Label4",            Quoted,  cell("DPS1", 4),        kCurrent},
    SettingsKey{DPS1,       "Label5",            Quoted,  cell("DPS1", 5),        kCurrent},
    SettingsKey{DPS1,       "Label6",            Quoted,  cell("DPS1", 6),        kCurrent},
    SettingsKey{DPS1,       "Label7",            Quoted,  cell("DPS1", 7),        kCurrent},
    SettingsKey{DPS1,       "Label8",            Quoted,  cell("DPS1", 8),        kCurrent},
    SettingsKey{DPS1,       "Text",              String,  at("DPS1B"),            kCurrent},
    SettingsKey{DPS1,       "Enabled",           Boolean, at("DPS1EN"),           kCurrent},
    SettingsKey{DPS1,       "Delay",             Integer, steps("SEDPS1DL", 2.7), kCurrent},
    SettingsKey{DPS1,       "Mode",              Integer, at("RGDPS1M"),          onlyWhen(0, 3)},
    SettingsKey{DPS1,       "FromFile",          Boolean, at("CBD1FF"),           kCurrent},
    SettingsKey{DPS1,       "SendOnChange",      Boolean, at("CBD1SC"),           kCurrent},
    SettingsKey{DPS1,       "SourceFile",        String,  at("ED1F"),             kCurrent},
    SettingsKey{DPS1,       "ReadFrom",          Integer, at("RGD1L"),            onlyWhen(0, 1)},
    SettingsKey{DPS1,       "CutBeginning",      Integer, at("SED1BE"),           kCurrent},
    SettingsKey{DPS1,       "CutEnd",            Integer, at("SED1EN"),           kCurrent},
    SettingsKey{DPS1,       "Prefix",            Quoted,  at("ED1PR"),            kCurrent},
    SettingsKey{DPS1,       "Fallback",          Boolean, at("CBD1FB"),           orDefault(0)},
    SettingsKey{DPS1,       "FallbackAfter",     Integer, at("SED1FB"),           orDefault(10)},
    SettingsKey{DPS1,       "FallbackText",      Quoted,  at("ED1FB"),            orDefault("")},

    SettingsKey{DataGroups, "Enabled",           Boolean, at("CBUDGEN"),          kCurrent},
    SettingsKey{DataGroups, "GroupType1",        Integer, at("CBGRTYP"),          kCurrent},
    SettingsKey{DataGroups, "Byte14",            String,  at("DB3"),              kCurrent},
    SettingsKey{DataGroups, "Byte15",            String,  at("DB4"),              kCurrent},
    SettingsKey{DataGroups, "Byte16",            String,  at("DB5"),              kCurrent},
    SettingsKey{DataGroups, "Byte17",            String,  at("DB6"),              kCurrent},
    SettingsKey{DataGroups, "Byte18",            String,  at("DB7"),              kCurrent},

    SettingsKey{Radiotext,  "Enabled",           Boolean, at("CBRTEN"),           kCurrent},
    SettingsKey{Radiotext,  "Radiotext1",        Quoted,  at("RT1"),              kCurrent},
    SettingsKey{Radiotext,  "Radiotext12",       Quoted,  at("RT2"),              kCurrent},
    SettingsKey{Radiotext,  "Radiotext13",       Quoted,  at("RT3"),              kCurrent},
    SettingsKey{Radiotext,  "Radiotext14",       Quoted,  at("RT4"),              kCurrent},
    SettingsKey{Radiotext,  "SelRT1",            Boolean, at("RBRT1"),            orDefault(1)},
    SettingsKey{Radiotext,  "SelRT2",            Boolean, at("RBRT2"),            orDefault(0)},
    SettingsKey{Radiotext,  "SelRT3",            Boolean, at("RBRT3"),            orDefault(0)},
    SettingsKey{Radiotext,  "SelRT4",            Boolean, at("RBRT4"),            orDefault(0)},
    SettingsKey{Radiotext,  "PrevRTType",        Boolean, state(RadiotextToggle), orDefault(0)},
    SettingsKey{Radiotext,  "RTTypeAuto",        Boolean, at("CBAUTO"),           orDefault(1)},
    SettingsKey{Radiotext,  "AutoSendNext",      Boolean, at("RTSA"),             kCurrent},
    SettingsKey{Radiotext,  "SendNextAfter",     Integer, steps("SERTSW", 1, Rounding::Cut), kCurrent},
    SettingsKey{Radiotext,  "FromFile",          Boolean, at("CBR1FF"),           kCurrent},
    SettingsKey{Radiotext,  "SendOnChange",      Boolean, at("CBR1SC"),           kCurrent},
    SettingsKey{Radiotext,  "SourceFile",        String,  at("ER1F"),             kCurrent},
    SettingsKey{Radiotext,  "ReadFrom",          Integer, at("RGR1L"),            onlyWhen(0, 1)},
    SettingsKey{Radiotext,  "CutBeginning",      Integer, at("SER1BE"),           kCurrent},
    SettingsKey{Radiotext,  "CutEnd",            Integer, at("SER1EN"),           kCurrent},
    SettingsKey{Radiotext,  "Prefix",            Quoted,  at("ER1PR"),            kCurrent},
    SettingsKey{Radiotext,  "Fallback",          Boolean, at("CBR1FB"),           orDefault(0)},
    SettingsKey{Radiotext,  "FallbackAfter",     Integer, at("SER1FB"),           orDefault(10)},
    SettingsKey{Radiotext,  "FallbackText",      Quoted,  at("ER1FB"),            orDefault("")},
};
// clang-format on
static_assert(kSettingsKeys.size() == 117);

} // namespace keys

using keys::kSettingsKeys;

} // namespace korvel::settings
