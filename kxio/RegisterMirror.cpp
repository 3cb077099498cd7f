#include "kxio/RegisterMirror.h"

namespace korvel::kxio {

void RegisterMirror::publish(const AirState& state) {
    const std::scoped_lock lock{m_mutex};
    m_state = state;
}

AirState RegisterMirror::latest() const {
    const std::scoped_lock lock{m_mutex};
    return m_state;
}

} // namespace korvel::kxio
