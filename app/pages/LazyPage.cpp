#include "app/pages/LazyPage.h"

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
    // From now on the form's own tag, or none: the one given at construction only stood in.
    setProperty("tag", QVariant());
    buildControls();
    setGeometry(place);
}

} // namespace korvel::app
