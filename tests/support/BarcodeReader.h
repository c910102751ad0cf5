#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <optional>

namespace asv::test {

// Reads barcodes back with a real decoder (zbarimg): for each image the symbols found, as
// "TYPE:data". Nullopt when zbarimg is not installed.
inline std::optional<QList<QStringList>> DecodeBarcodes(const QList<QImage>& images)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (tool.isEmpty())
        return std::nullopt;
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < images.size(); ++i) {
        files.append(dir.filePath(QStringLiteral("%1.png").arg(i)));
        images[i].save(files.last());
    }
    QProcess zbar;
    zbar.start(tool, QStringList{QStringLiteral("--xml"), QStringLiteral("-q")} + files);
    zbar.waitForFinished(120000);
    QList<QStringList> found(images.size());
    QXmlStreamReader xml(zbar.readAllStandardOutput());
    int current = -1;
    QString type;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QStringLiteral("source"))
            current = static_cast<int>(files.indexOf(xml.attributes().value(QStringLiteral("href")).toString()));
        else if (xml.name() == QStringLiteral("symbol"))
            type = xml.attributes().value(QStringLiteral("type")).toString();
        else if (xml.name() == QStringLiteral("data") && current >= 0)
            found[current].append(type + QLatin1Char(':') + xml.readElementText());
    }
    return found;
}

} // namespace asv::test
