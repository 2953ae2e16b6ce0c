#pragma once
// Fonts on Qt: a face the desktop may lack is looked for under the names of its nearest
// kin, so text keeps its width and its Chinese characters.

#include "ui/Font.h"

#include <QFont>
#include <QWidget>

namespace pellow {

QFont ToQFont(const TFont& font);

// Gives the widget the font, its text the font's colour.
void ApplyFont(QWidget& widget, const TFont& font);

} // namespace pellow
