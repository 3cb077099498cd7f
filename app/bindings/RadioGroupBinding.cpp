#include "app/bindings/RadioGroupBinding.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace korvel::app {

namespace {

// As compact as the other frames of the fixed-size window.
constexpr int kMargin_px = 4;
constexpr int kSpacing_px = 2;

} // namespace

RadioGroupBinding::RadioGroupBinding(BindingContext context, QGroupBox* box)
    : WidgetBinding(context, box)
    , m_box(box)
    , m_buttons(new QButtonGroup(box)) {
    if (m_box->layout() == nullptr) {
        auto* column = new QVBoxLayout(m_box);
        column->setContentsMargins(kMargin_px, kMargin_px, kMargin_px, kMargin_px);
        column->setSpacing(kSpacing_px);
    }
    QObject::connect(m_buttons, &QButtonGroup::idClicked, receiver(),
                     [this](int index) { edit([this, index] { settings().setChoice(name(), index); }); });
}

void RadioGroupBinding::showItems() {
    for (QAbstractButton* button : m_buttons->buttons()) {
        m_buttons->removeButton(button);
        delete button;
    }
    int index = 0;
    for (const QString& item : itemList()) {
        auto* button = new QRadioButton(item, m_box);
        button->setObjectName(m_box->objectName() + QString::number(index));
        m_box->layout()->addWidget(button);
        m_buttons->addButton(button, index++);
    }
}

void RadioGroupBinding::showValue() {
    const int index = settings().choice(name());
    // An exclusive group cannot show "no choice"; it can only be cleared while not exclusive.
    m_buttons->setExclusive(false);
    for (QAbstractButton* button : m_buttons->buttons()) {
        button->setChecked(m_buttons->id(button) == index);
    }
    m_buttons->setExclusive(true);
    enterAtChoice(index);
}

// Tab enters the group once, at its chosen button (the first when none is chosen), and the
// arrow keys move within it. Qt moves the entry only when a button takes the focus, not when
// the model chooses another.
void RadioGroupBinding::enterAtChoice(int index) {
    const int entry = index >= 0 ? index : 0;
    for (QAbstractButton* button : m_buttons->buttons()) {
        button->setFocusPolicy(m_buttons->id(button) == entry ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

} // namespace korvel::app
