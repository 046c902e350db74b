#pragma once

#include <QPixmap>
#include <QString>
#include <string>

// The drop window's pictures at the screen's pixel ratio. A picture may come
// drawn at twice its size beside the 1x one ("name@2x.ext"): a HiDPI screen
// then shows that one, smoothly scaled to its ratio, instead of enlarging
// the 1x picture into a blur.

// A picture for a screen of `ratio` device pixels to a logical one, from
// its 1x and its 2x drawing (null when there is none, or of another size).
QPixmap forScreen(const QImage& single, const QImage& twice, qreal ratio);

// The built-in picture ":/NAME.png" (with ":/NAME@2x.png").
QPixmap builtInPicture(const QString& name, qreal ratio);

// A skin's bitmap and, where one lies beside it, its 2x drawing. Raises
// when the 1x bitmap cannot be read.
QPixmap skinPicture(const std::string& path, qreal ratio);

// The size a picture takes on the screen, in logical pixels.
QSize shownSize(const QPixmap& picture);
