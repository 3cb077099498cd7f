#pragma once

#include <QWidget>

namespace korvel::app {

// A page of the page control whose controls are made the first time it is needed: until then it
// is its name and its tab alone, which keeps the window's start-up short.
class LazyPage : public QWidget {
    Q_OBJECT

public:
    // The tag is the one of the page's form, whose caption a translation may then replace before
    // the controls exist.
    LazyPage(const char* name, int tag);

    // Makes the controls, once.
    void build();
    [[nodiscard]] bool isBuilt() const { return m_built; }

protected:
    virtual void buildControls() = 0;

private:
    bool m_built = false;
};

} // namespace korvel::app
