#pragma once

#include "text/SourceNotices.h"
#include "text/SourceReader.h"
#include "text/TitleGap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvel::model {
class Clock;
class StationSettings;
} // namespace korvel::model

namespace korvel::text {

class CodePage;
class DpsPreview;
class DynamicPs;
class RadiotextRotation;
class TextWriter;
class TitleCleanup;

// The two text sources, in the order a poll takes them.
enum class Source : std::uint8_t { Radiotext = 0, DynamicPs = 1 };
inline constexpr std::size_t kSources = 2;

// What one poll reads: the options of each source that is active (none for one that is not),
// taken from the settings on the window's thread.
struct SourcePoll {
    std::array<std::optional<SourceOptions>, kSources> sources;
    std::string programFolder;
};
using SourceTexts = std::array<std::optional<SourceText>, kSources>;

// The text source poll of Timer1: titles that playout software writes into files become
// the radiotext RT1 and the dynamic PS, cleaned up, and go to the encoder when they change.
// A source with nothing to read (no file, an empty one, a blank line) leaves the last title on
// air and says so in the status bar; after a chosen time without a new title its fallback text,
// if it has one, goes on air instead.
// A poll runs in three steps so that the reading can leave the window's thread: startPoll and
// finishPoll on the window's thread, read anywhere in between.
class TextSources {
public:
    // All must outlive the sources.
    struct Parts {
        model::StationSettings& settings;
        const CodePage& codePage;
        const TitleCleanup& cleanup;
        const DynamicPs& dynamicPs;
        DpsPreview& preview;
        RadiotextRotation& rotation;
        TextWriter& writer;
        const model::Clock& clock;
        // A title the window now shows waits for the next Send ("Send on change" is off).
        std::function<void()> heldForSend = {};
    };

    explicit TextSources(Parts parts);

    // What to read; nothing when neither source is active. A source is active while its "From
    // file:" box and the "Enabled" box of its feature are both checked.
    [[nodiscard]] std::optional<SourcePoll> startPoll();
    [[nodiscard]] static SourceTexts read(const SourcePoll& poll, const SourceReader& reader);
    // Takes the titles read, radiotext first. A source that has since become inactive, or whose
    // options have changed, takes nothing: the next poll reads it again.
    void finishPoll(const SourcePoll& poll, const SourceTexts& texts);

    // The operator has just made a device operation: the sources leave its result in the status
    // bar for a while.
    void operatorActed();

    // What a change in the file system could bring a new title from: the folder of each source
    // of the poll and the file it read.
    [[nodiscard]] static std::vector<std::string> watchedPaths(const SourcePoll& poll,
                                                               const SourceTexts& texts);

private:
    struct Target {
        std::string (*fit)(std::string text);               // what the target holds of a text
        std::string (TextSources::*show)(std::string text); // returns the text to write
        bool (TextSources::*write)(const std::string& text);
    };
    static const std::array<Target, kSources> kTargets;

    [[nodiscard]] bool active(std::size_t source) const;
    [[nodiscard]] SourceOptions options(std::size_t source) const;
    void finish(std::size_t source, const SourcePoll& poll, const std::optional<SourceText>& read);
    void switchedOff(std::size_t source);
    void take(std::size_t source, const SourcePoll& poll, const SourceText& read, TitleGap::Instant now);
    void takeFallback(std::size_t source);
    void putOnAir(std::size_t source, std::string text);
    [[nodiscard]] static std::string nothingToRead(std::size_t source, const SourcePoll& poll,
                                                   const SourceText& read);
    [[nodiscard]] static std::string fitRadiotext(std::string text);
    [[nodiscard]] static std::string asItIs(std::string text) { return text; }
    std::string showRadiotext(std::string title);
    std::string showDynamicPs(std::string title);
    bool writeRadiotext(const std::string& text);
    bool writeDynamicPs(const std::string& text);

    Parts m_parts;
    // A title that the encoder has not taken yet: written again at every poll until it is, as
    // long as its source stays active with "Send on change".
    std::array<std::optional<std::string>, kSources> m_unsent;
    std::array<TitleGap, kSources> m_gaps;
    SourceNotices m_notices;
};

} // namespace korvel::text
