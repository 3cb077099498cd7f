#include "app/LazyPage.h"

#include <QVariant>

namespace korvel::app {

LazyPage::LazyPage(const char* name, int tag) {
    setObjectName(QString::fromLatin1(name));
    setProperty("tag", tag);
}

void LazyPage::build() {
    if (m_built) {
        return;
    }
    m_built = true;
    // The page control placed the page; the form would size it to its designed size.
    const QRect place = geometry();
    buildControls();
    setGeometry(place);
}

} // namespace korvel::app
