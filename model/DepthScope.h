#pragma once

namespace korvel::model {

// Counts one level of a nesting for as long as it lives: a batch of values being applied, an
// event handler under way.
class DepthScope {
public:
    explicit DepthScope(int& depth)
        : m_depth(depth) {
        ++m_depth;
    }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
    ~DepthScope() { --m_depth; }

private:
    int& m_depth;
};

} // namespace korvel::model
