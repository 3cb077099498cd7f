#include "operations/DeviceCommands.h"

#include "link/Transactions.h"
#include "model/Clock.h"
#include "model/Dialogs.h"
#include "model/SettingsStore.h"
#include "model/StationSettings.h"

#include <chrono>

namespace korvel::operations {

namespace {

using encoder::addr;
using encoder::Reg;

constexpr std::chrono::milliseconds kAfterStore{500};

} // namespace

DeviceCommands::DeviceCommands(Parts parts)
    : m_parts(parts)
    , m_action(parts.settings, parts.clock) {}

bool DeviceCommands::command(encoder::Command command) {
    const std::uint8_t byte = encoder::byteOf(command);
    return m_parts.transactions.write(addr(Reg::Command), std::span(&byte, 1));
}

void DeviceCommands::BSTOR1Click() {
    const link::Transactions::Operation operation(m_parts.transactions);
    command(encoder::Command::Store);
    m_parts.transactions.pause(m_parts.clock, kAfterStore);
    m_action.done();
    try {
        m_parts.store.SaveRDSFN();
    } catch (...) {
        // The encoder has stored its data; the settings file is saved again at exit.
    }
}

Outcome DeviceCommands::BRESETClick() {
    if (!m_parts.dialogs.askYesNo(kResetQuestion)) {
        return Outcome::NotRun;
    }
    return command(encoder::Command::Reset) ? Outcome::Succeeded : Outcome::Failed;
}

void DeviceCommands::BSWOFFClick() {
    command(encoder::Command::CarrierOff);
}

void DeviceCommands::BSWONClick() {
    command(encoder::Command::CarrierOn);
}

void DeviceCommands::BSETTAClick() {
    model::StationSettings& settings = m_parts.settings;
    settings.setFlag("TA", !settings.flag("TA"));
    const std::uint8_t ta = settings.flag("TA") ? 1 : 0;
    m_parts.transactions.write(addr(Reg::Ta), std::span(&ta, 1));
}

} // namespace korvel::operations
