// Window geometry, tool-bar state and the last scene picture, kept in
// options.xml between runs.
#include "widget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
const QString fileName = QStringLiteral("options.xml");
}

// Beside the executable, as the Windows build keeps it; an installed copy
// whose folder the user cannot write keeps it in the user's configuration
// folder instead.
QString Widget::settingsFilePath() const
{
    const QString appDir = QCoreApplication::applicationDirPath();
#ifndef Q_OS_WIN
    if (!QFileInfo(appDir).isWritable()) {
        const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir().mkpath(configDir);
        return configDir + QLatin1Char('/') + fileName;
    }
#endif
    return appDir + QLatin1Char('/') + fileName;
}

void Widget::saveSettings()
{
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QMessageBox::warning(this, QString(), tr("Can not open file."));
        return;
    }
    QXmlStreamWriter writer(&file);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("options"));
    writer.writeTextElement(QStringLiteral("Geometry"), QString::fromLatin1(saveGeometry().toHex()));
    writer.writeTextElement(QStringLiteral("State"), QString::fromLatin1(saveState(0).toHex()));
    writer.writeTextElement(QStringLiteral("SceneFileName"), sceneFileName);
    writer.writeEndElement();
    writer.writeEndDocument();
    file.close();
}

void Widget::restoreSettings()
{
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    QXmlStreamReader reader(&file);
    QString element;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (reader.name() != QLatin1String("options"))
                element = reader.name().toString();
        } else if (reader.isCharacters() && !element.isEmpty() && !reader.isWhitespace()) {
            const QString text = reader.text().toString();
            if (element == QLatin1String("Geometry"))
                restoreGeometry(QByteArray::fromHex(text.toLatin1()));
            else if (element == QLatin1String("State"))
                restoreState(QByteArray::fromHex(text.toLatin1()), 0);
            else if (element == QLatin1String("SceneFileName"))
                sceneFileName = text;
            element.clear();
        }
    }
    file.close();
}
