#pragma once

#include "fakes/ManualClock.h"
#include "fakes/RecordingLibrary.h"
#include "fakes/ScriptedDialogs.h"
#include "link/Transactions.h"
#include "model/SettingsStore.h"
#include "model/StationSettings.h"
#include "operations/ClockTime.h"
#include "operations/DeviceCommands.h"
#include "operations/DeviceSettings.h"
#include "operations/EncoderTextWriter.h"
#include "operations/ReadBack.h"
#include "operations/StationSend.h"
#include "text/CodePage.h"
#include "text/DpsPreview.h"
#include "text/DynamicPs.h"
#include "text/DynamicPsEditors.h"
#include "text/RadiotextRotation.h"
#include "text/RdsConversion.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::operations {

// Settings saves that are counted, and fail when told to.
class CountingStore : public model::SettingsStore {
public:
    void SaveRDSFN() override {
        ++saves;
        if (fails) {
            throw std::runtime_error("Unable to write to korvel.rds");
        }
    }

    int saves = 0;
    bool fails = false;
};

// The operations wired as the panel wires them, on a recording library and a hand-moved clock.
class OperationsFixture : public ::testing::Test {
protected:
    using Bytes = std::vector<std::uint8_t>;

    explicit OperationsFixture(char decimalSeparator = '.')
        : settings(decimalSeparator) {}

    // The block of write number `index`: its address, then its data.
    const Bytes& block(std::size_t index) const { return library.writes.at(index).block; }
    std::string text(std::size_t index, std::size_t from, std::size_t length) const {
        const Bytes& b = block(index);
        return std::string(b.begin() + static_cast<std::ptrdiff_t>(from),
                           b.begin() + static_cast<std::ptrdiff_t>(from + length));
    }
    std::vector<int> addresses() const {
        std::vector<int> result;
        for (const auto& write : library.writes) {
            result.push_back(write.block.at(0));
        }
        return result;
    }

    model::StationSettings settings;
    fakes::RecordingLibrary library;
    fakes::ScriptedDialogs dialogs;
    fakes::ManualClock clock;
    CountingStore store;
    link::Transactions transactions{library, settings};
    text::CodePage codePage{1252};
    text::RdsConversion conversion{codePage};
    text::DynamicPs dynamicPs{settings};
    text::DpsPreview preview{settings, dynamicPs};
    text::DynamicPsEditors dpsEditors{settings, preview};
    EncoderTextWriter writer{settings, transactions, conversion};
    text::RadiotextRotation rotation{settings, writer};
    DeviceSettings deviceSettings{settings};
    StationSend send{{settings, transactions, conversion, dynamicPs, rotation, clock}};
    ReadBack readBack{
        {settings, transactions, conversion, dialogs, clock, deviceSettings, rotation, dpsEditors, preview}};
    ClockTime clockTime{settings, transactions, clock};
    DeviceCommands commands{{settings, transactions, dialogs, clock, store}};
};

} // namespace korvel::operations
