#include "ScreenPicture.h"

#include "base/Errors.h"
#include "store/Skins.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// A picture no drop window could sensibly take is as good as unreadable.
constexpr int kLargestSkin = 1024;

QImage readBitmap(const std::string& path) {
    QByteArray bytes = QByteArray::fromStdString(kestrum::readSkinPicture(path).value_or(""));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "bmp");
    QSize size = reader.size();
    if (reader.canRead() && size.width() <= 2 * kLargestSkin && size.height() <= 2 * kLargestSkin)
        return reader.read();
    return {};
}

} // namespace

QPixmap forScreen(const QImage& single, const QImage& twice, qreal ratio) {
    if (ratio <= 1 || twice.isNull() || twice.size() != single.size() * 2)
        return QPixmap::fromImage(single);
    QSize onScreen = (QSizeF(single.size()) * ratio).toSize();
    QPixmap picture =
        QPixmap::fromImage(twice.size() == onScreen ? twice
                                                    : twice.scaled(onScreen, Qt::IgnoreAspectRatio,
                                                                   Qt::SmoothTransformation));
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QPixmap builtInPicture(const QString& name, qreal ratio) {
    return forScreen(QImage(QStringLiteral(":/%1.png").arg(name)),
                     QImage(QStringLiteral(":/%1@2x.png").arg(name)), ratio);
}

QPixmap skinPicture(const std::string& path, qreal ratio) {
    QImage single = readBitmap(path);
    if (single.isNull() || single.width() > kLargestSkin || single.height() > kLargestSkin)
        throw kestrum::KestrumError("Bitmap image is not valid");
    return forScreen(single, ratio > 1 ? readBitmap(kestrum::doubleSizePicture(path)) : QImage(),
                     ratio);
}

QSize shownSize(const QPixmap& picture) {
    return picture.deviceIndependentSize().toSize();
}
