#pragma once
// What an SVG document says of its size, read with Qt's XML reader rather
// than by the writer's own text.
#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <utility>

// The SVG root's width and height attributes ("79.93mm"), or two empty texts.
inline std::pair<QString, QString> TailleSvg(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    while (xml.readNextStartElement())
        if (xml.name() == u"svg")
            return {xml.attributes().value("width").toString(),
                    xml.attributes().value("height").toString()};
    return {};
}
