#include "text/TextSources.h"

#include "model/Clock.h"
#include "model/StationSettings.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"
#include "text/RadiotextRotation.h"
#include "text/TextWriter.h"
#include "text/TitleCleanup.h"
#include "text/Utf8.h"

#include <algorithm>
#include <chrono>

namespace korvel::text {

namespace {

struct SourceControls {
    model::ControlName fromFile;
    model::ControlName enabled; // of the feature the source feeds
    model::ControlName name;
    model::ControlName sendOnChange;
    model::ControlName readFrom;
    model::ControlName cutBeginning;
    model::ControlName cutEnd;
    model::ControlName prefix;
    std::string model::ProgramState::*lastText;
    model::ControlName target; // the text the source shows
    model::ControlName fallback;
    model::ControlName fallbackAfter; // minutes without a new title
    model::ControlName fallbackText;
    std::string_view label; // the source as the status bar names it
};

// clang-format off
constexpr std::array<SourceControls, kSources> kControls{{
    {"CBR1FF", "CBRTEN", "ER1F", "CBR1SC", "RGR1L", "SER1BE", "SER1EN", "ER1PR", &model::ProgramState::rtFromFile,
     "RT1",   "CBR1FB", "SER1FB", "ER1FB", "Radiotext"},
    {"CBD1FF", "DPS1EN", "ED1F", "CBD1SC", "RGD1L", "SED1BE", "SED1EN", "ED1PR", &model::ProgramState::dpsFromFile,
     "DPS1B", "CBD1FB", "SED1FB", "ED1FB", "Dynamic PS"},
}};
// clang-format on

constexpr std::size_t kRadiotextLength = 64;
constexpr std::string_view kEllipsis = "...";
constexpr model::ControlName kLabelGrid = "DPS1";
constexpr char kUnprintable = '?';

// The local time on a count that runs on steadily when daylight-saving time begins or ends.
TitleGap::Instant steadyCount(const model::LocalTime& time) {
    using namespace std::chrono;
    const sys_days date =
        std::chrono::year(time.year) / static_cast<unsigned>(time.month) / static_cast<unsigned>(time.day);
    return duration_cast<milliseconds>(date.time_since_epoch()) + time.timeOfDay() -
           (time.daylightSaving ? hours(1) : hours(0));
}

std::vector<std::string_view> labels() {
    std::vector<std::string_view> names;
    for (const SourceControls& controls : kControls) {
        names.push_back(controls.label);
    }
    return names;
}

// A file name may hold line breaks and other control characters: the status bar shows one line.
std::string printable(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, kUnprintable);
    return text;
}

} // namespace

const std::array<TextSources::Target, kSources> TextSources::kTargets{{
    {&TextSources::fitRadiotext, &TextSources::showRadiotext, &TextSources::writeRadiotext},
    {&TextSources::asItIs, &TextSources::showDynamicPs, &TextSources::writeDynamicPs},
}};

TextSources::TextSources(Parts parts)
    : m_parts(parts)
    , m_notices(parts.settings, labels()) {}

bool TextSources::active(std::size_t source) const {
    const SourceControls& controls = kControls[source];
    return m_parts.settings.flag(controls.fromFile) && m_parts.settings.flag(controls.enabled);
}

// The name field holds desktop characters; the file system spells names in UTF-8.
SourceOptions TextSources::options(std::size_t source) const {
    const SourceControls& controls = kControls[source];
    const model::StationSettings& settings = m_parts.settings;
    return {Utf8::encode(m_parts.codePage.decode(settings.text(controls.name))),
            settings.choice(controls.readFrom) == 0 ? SourceLines::Take::FirstLine
                                                    : SourceLines::Take::LastLine,
            settings.integer(controls.cutBeginning), settings.integer(controls.cutEnd)};
}

std::optional<SourcePoll> TextSources::startPoll() {
    SourcePoll poll{.sources = {}, .programFolder = m_parts.settings.program().programFolder};
    bool any = false;
    for (std::size_t source = 0; source < kSources; ++source) {
        if (active(source)) {
            poll.sources[source] = options(source);
            any = true;
        } else {
            switchedOff(source);
        }
    }
    if (!any) {
        return std::nullopt;
    }
    return poll;
}

SourceTexts TextSources::read(const SourcePoll& poll, const SourceReader& reader) {
    SourceTexts texts;
    for (std::size_t source = 0; source < kSources; ++source) {
        if (poll.sources[source]) {
            texts[source] = reader.read(*poll.sources[source], poll.programFolder);
        }
    }
    return texts;
}

void TextSources::finishPoll(const SourcePoll& poll, const SourceTexts& texts) {
    for (std::size_t source = 0; source < kSources; ++source) {
        finish(source, poll, texts[source]);
    }
    // After both sources' writes, whose "Ready" would cover a message told before them.
    m_notices.tell(steadyCount(m_parts.clock.now()));
}

void TextSources::operatorActed() {
    m_notices.hold(steadyCount(m_parts.clock.now()));
}

void TextSources::finish(std::size_t source, const SourcePoll& poll, const std::optional<SourceText>& read) {
    const SourceControls& controls = kControls[source];
    const model::StationSettings& settings = m_parts.settings;
    if (!active(source)) {
        switchedOff(source);
        return;
    }
    if (!settings.flag(controls.sendOnChange)) {
        m_unsent[source].reset();
    }
    const TitleGap::Instant now = steadyCount(m_parts.clock.now());
    m_gaps[source].run(now);
    if (read && poll.sources[source] == options(source)) {
        take(source, poll, *read, now);
    }
    if (settings.flag(controls.fallback) &&
        m_gaps[source].fallbackDue(now, std::chrono::minutes(settings.integer(controls.fallbackAfter)))) {
        takeFallback(source);
    }
    if (m_unsent[source] && (this->*kTargets[source].write)(*m_unsent[source])) {
        m_unsent[source].reset();
    }
}

// A source that is off writes nothing, counts no time and has nothing to say.
void TextSources::switchedOff(std::size_t source) {
    m_unsent[source].reset();
    m_gaps[source].stop();
    m_notices.end(source);
}

// A read that gives no title leaves the last one on air: an empty text would blank the air
// until the playout software writes again.
void TextSources::take(std::size_t source, const SourcePoll& poll, const SourceText& read,
                       TitleGap::Instant now) {
    const SourceControls& controls = kControls[source];
    model::StationSettings& settings = m_parts.settings;
    if (!read.readOk || read.text.empty()) {
        m_notices.report(source, nothingToRead(source, poll, read));
        return;
    }
    m_notices.end(source);
    std::string& last = settings.program().*controls.lastText;
    if (read.text == last) {
        return;
    }
    last = read.text;
    m_gaps[source].restart(now);
    putOnAir(source, settings.text(controls.prefix) + m_parts.cleanup.CharReplace(last));
}

// The fallback is the operator's own text, a slogan more than a title: it goes on air without
// the prefix and the clean-up. A target that already shows it (as before a restart) keeps it.
void TextSources::takeFallback(std::size_t source) {
    const SourceControls& controls = kControls[source];
    const std::string& fallback = m_parts.settings.text(controls.fallbackText);
    if (fallback.empty()) {
        return;
    }
    m_gaps[source].fallbackTaken();
    if (m_parts.settings.text(controls.target) != kTargets[source].fit(fallback)) {
        putOnAir(source, fallback);
    }
}

void TextSources::putOnAir(std::size_t source, std::string text) {
    std::string shown = (this->*kTargets[source].show)(std::move(text));
    if (m_parts.settings.flag(kControls[source].sendOnChange)) {
        m_unsent[source] = std::move(shown);
    } else if (m_parts.heldForSend) {
        m_parts.heldForSend();
    }
}

// What a source that gives no title found, for the status bar.
std::string TextSources::nothingToRead(std::size_t source, const SourcePoll& poll, const SourceText& read) {
    if (!read.readOk) {
        return "cannot read " + printable(read.path) + "; trying again";
    }
    if (read.path.empty()) {
        return "no file matches " +
               printable(SourceReader::resolve(poll.sources[source]->name, poll.programFolder)) +
               "; the last title stays";
    }
    return "no title in " + printable(read.path) + "; the last title stays";
}

// A text too long for the radiotext ends in "..." at its last three places.
std::string TextSources::fitRadiotext(std::string text) {
    if (text.size() > kRadiotextLength) {
        text = text.substr(0, kRadiotextLength - kEllipsis.size()) + std::string(kEllipsis);
    }
    return text;
}

std::string TextSources::showRadiotext(std::string title) {
    title = fitRadiotext(std::move(title));
    m_parts.settings.setText("RT1", title);
    return title;
}

// The fixed labels of mode 0 are written as the grid shows them; the other modes take the text.
std::string TextSources::showDynamicPs(std::string title) {
    model::StationSettings& settings = m_parts.settings;
    settings.setText("DPS1B", title);
    const std::string justified = m_parts.dynamicPs.DPSJustify(title);
    const std::size_t label = DynamicPs::kLabelLength;
    for (int row = 0; row < settings.rows(kLabelGrid); ++row) {
        const std::size_t start = static_cast<std::size_t>(row) * label;
        settings.setCell(kLabelGrid, row, 0, start < justified.size() ? justified.substr(start, label) : "");
    }
    m_parts.preview.ResetPreview();
    return settings.choice("RGDPS1M") == 0 ? justified : title;
}

bool TextSources::writeRadiotext(const std::string& text) {
    const bool written = m_parts.writer.writeRadiotext(text, m_parts.rotation.ActualRTType() == 1);
    m_parts.rotation.restartPeriod();
    return written;
}

bool TextSources::writeDynamicPs(const std::string& text) {
    return m_parts.writer.writeDynamicPs(text);
}

std::vector<std::string> TextSources::watchedPaths(const SourcePoll& poll, const SourceTexts& texts) {
    std::vector<std::string> paths;
    for (std::size_t source = 0; source < kSources; ++source) {
        if (!poll.sources[source]) {
            continue;
        }
        const std::string name = SourceReader::resolve(poll.sources[source]->name, poll.programFolder);
        if (const std::string_view folder = SourceReader::folderOf(name); !folder.empty()) {
            paths.emplace_back(folder);
        }
        if (texts[source] && !texts[source]->path.empty()) {
            paths.push_back(texts[source]->path);
        }
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

} // namespace korvel::text
