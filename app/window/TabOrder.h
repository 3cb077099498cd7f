#pragma once

#include <QList>

class QLayout;
class QWidget;

namespace korvel::app {

// The window's Tab order, read off its layouts: top to bottom, left to right, a group box or
// another container taken as one unit whose own controls follow in the same order. A page
// control contributes its tab bar, then its pages. Widgets made after the forms were loaded (the
// radio buttons of a choice) come in at their place in the layout, not at the end of the chain.
class TabOrder {
public:
    // Appends the controls of root, in reading order.
    void add(QWidget* root);
    // Chains the controls appended so far into the window's focus chain, in their order.
    void apply() const;

private:
    void addLayout(const QLayout* layout);

    QList<QWidget*> m_controls;
};

} // namespace korvel::app
