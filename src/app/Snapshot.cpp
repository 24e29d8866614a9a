#include "app/Snapshot.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace assi {

QString saveSnapshot(const QImage& image, const QString& path) {
    const auto failure = [&](const QString& reason) {
        return u"Não foi possível escrever a imagem em %1: %2. Um ficheiro que já lá estivesse "
               u"ficou como estava."_s.arg(QDir::toNativeSeparators(path), reason);
    };
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    const QByteArray format =
        QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray("png");
    // Encoded first, in memory: an encoder writing straight to the file
    // reports a full disk only as its own failure, without the reason.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return failure(writer.errorString());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    // A write the disk cuts short is no error yet: the rest, tried again,
    // fails with the reason.
    for (qint64 written = 0; written < encoded.size();) {
        const qint64 part = file.write(encoded.constData() + written, encoded.size() - written);
        if (part <= 0)
            return failure(file.errorString());
        written += part;
    }
    if (!file.commit())
        return failure(file.errorString());
    return {};
}

} // namespace assi
