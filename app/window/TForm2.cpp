#include "app/window/TForm2.h"

#include "app/window/ProgramPicture.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <qdrawutil.h>

namespace korvel::app {

namespace {

constexpr int kPicture_px = 32;
constexpr int kMargin_px = 8;
constexpr int kBevel_px = 2;
constexpr int kNameHeight_px = 35;
const QColor kSkyTop(0x87, 0xce, 0xeb);
const QColor kSkyBottom(0xd6, 0xee, 0xf8);

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm2");
    setFixedSize(kWidth_px, kHeight_px);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
}

void TForm2::showAtOnce() {
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, kSkyTop);
    sky.setColorAt(1, kSkyBottom);
    painter.fillRect(rect(), sky);

    const QRect picture(kMargin_px, (height() - kPicture_px) / 2, kPicture_px, kPicture_px);
    qDrawShadePanel(&painter, picture.adjusted(-kBevel_px, -kBevel_px, kBevel_px, kBevel_px), palette(), true,
                    kBevel_px);
    ProgramPicture::paint(painter, picture);

    QFont name = font();
    name.setPixelSize(kNameHeight_px);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Qt::black);
    const QRect text(picture.right() + kMargin_px, 0, width() - picture.right() - kMargin_px, height());
    painter.drawText(text, Qt::AlignCenter, QStringLiteral("Korvel"));
}

} // namespace korvel::app
