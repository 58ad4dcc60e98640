// Reading back what a drawing became: the lines of an SVG document and the box of coloured
// pixels in an image.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QXmlStreamReader>
#include <vector>

namespace lumora::testing {

struct SvgLine {
  double X1, Y1, X2, Y2;
  QString Stroke;  // "#00ff00"
  double StrokeWidth;
};

struct SvgDocument {
  QString Width, Height, ViewBox;
  std::vector<SvgLine> Lines;
};

// The document's size and every two-point polyline with the stroke of its enclosing group.
inline SvgDocument ReadSvg(const QByteArray& bytes) {
  SvgDocument doc;
  QXmlStreamReader xml(bytes);
  std::vector<std::pair<QString, double>> strokes{{QString(), 0}};
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == QLatin1String("g")) strokes.pop_back();
    if (!xml.isStartElement()) continue;
    const auto attrs = xml.attributes();
    if (xml.name() == QLatin1String("svg")) {
      doc.Width = attrs.value("width").toString();
      doc.Height = attrs.value("height").toString();
      doc.ViewBox = attrs.value("viewBox").toString();
    } else if (xml.name() == QLatin1String("g")) {
      strokes.emplace_back(attrs.value("stroke").toString(), attrs.value("stroke-width").toDouble());
    } else if (xml.name() == QLatin1String("polyline")) {
      const QStringList points = attrs.value("points").toString().split(' ', Qt::SkipEmptyParts);
      if (points.size() != 2) continue;
      const QStringList a = points[0].split(','), b = points[1].split(',');
      doc.Lines.push_back({a[0].toDouble(), a[1].toDouble(), b[0].toDouble(), b[1].toDouble(),
                           strokes.back().first, strokes.back().second});
    }
  }
  return doc;
}

// The box of pixels that are mostly green (red and blue low, green high), leaving out
// `axisGap` pixels either side of the axes through (axisX, axisY).
inline QRect GreenBox(const QImage& image, int axisX, int axisY, int axisGap = 3) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    if (std::abs(y - axisY) <= axisGap) continue;
    for (int x = 0; x < image.width(); ++x) {
      if (std::abs(x - axisX) <= axisGap) continue;
      const QColor c = image.pixelColor(x, y);
      if (c.green() > 200 && c.red() < 100 && c.blue() < 100) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// The box of pixels darker than `level` in every channel (black lines on white).
inline QRect DarkBox(const QImage& image, int level = 100) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() < level && c.green() < level && c.blue() < level) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace lumora::testing
