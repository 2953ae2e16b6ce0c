#include "ui/qt/QtFont.h"

#include "ui/qt/QtText.h"

namespace pellow {

QFont ToQFont(const TFont& font) {
    QFont q;
    const QString name = ToQString(font.Name);
    if (name == QStringLiteral("宋体")) {
        q.setFamilies({name, QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                       QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("DejaVu Sans Mono"),
                       QStringLiteral("monospace")});
    } else {
        q.setFamilies({name});
    }
    q.setPixelSize(font.PixelHeight);
    return q;
}

void ApplyFont(QWidget& widget, const TFont& font) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Text, QColor(font.Color.R, font.Color.G, font.Color.B));
    widget.setPalette(palette);
    widget.setFont(ToQFont(font));
}

} // namespace pellow
