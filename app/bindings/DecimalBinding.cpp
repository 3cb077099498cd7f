#include "app/bindings/DecimalBinding.h"

#include <QLineEdit>
#include <algorithm>

namespace korvel::app {

DecimalBinding::DecimalBinding(BindingContext context, QDoubleSpinBox* spin)
    : WidgetBinding(context, spin)
    , m_spin(spin)
    , m_def(settings().decimalDef(name())) {
    m_spin->setDecimals(m_def.decimals);
    m_spin->setRange(m_def.min, m_def.max);
    m_spin->setSingleStep(m_def.step);
    if (m_def.entry == model::DecimalEntry::Stepped) {
        m_spin->findChild<QLineEdit*>()->setReadOnly(true);
    }
    QObject::connect(spin, &QDoubleSpinBox::valueChanged, receiver(),
                     [this](double value) { edit([this, value] { settings().setDecimal(name(), value); }); });
    QObject::connect(spin, &QDoubleSpinBox::editingFinished, receiver(), [this] { finishEditing(); });
}

QString DecimalBinding::unitText(std::string_view unit) const {
    return words().shown(QString::fromLatin1(unit.data(), static_cast<qsizetype>(unit.size())));
}

void DecimalBinding::showItems() {
    m_spin->setSuffix(' ' + unitText(m_def.unit));
    if (specialAtMinimum()) {
        m_spin->setSpecialValueText(unitText(m_def.specialUnit));
    } else if (!m_def.specialUnit.empty()) {
        fitWidestSuffix();
    }
}

bool DecimalBinding::specialAtMinimum() const {
    return !m_def.specialUnit.empty() && m_def.specialAt <= m_def.min;
}

void DecimalBinding::fitWidestSuffix() {
    int widest = 0;
    for (const std::string_view unit : {m_def.specialUnit, m_def.unit}) {
        m_spin->setSuffix(' ' + unitText(unit));
        widest = std::max(widest, m_spin->sizeHint().width());
    }
    m_spin->setMinimumWidth(widest);
}

void DecimalBinding::showValue() {
    m_spin->setValue(settings().decimal(name()));
}

void DecimalBinding::showCaption(const QString& caption) {
    if (!specialAtMinimum()) {
        m_spin->setSuffix(' ' + caption);
    }
}

} // namespace korvel::app
