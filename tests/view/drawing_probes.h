// Reading back what a drawing became: the lines of an SVG document and the box of green
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
};

struct SvgDocument {
  QString Width, Height, ViewBox;
  std::vector<SvgLine> Lines;
};

// The document's size and every two-point polyline.
inline SvgDocument ReadSvg(const QByteArray& bytes) {
  SvgDocument doc;
  for (QXmlStreamReader xml(bytes); !xml.atEnd();) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto attrs = xml.attributes();
    if (xml.name() == QLatin1String("svg")) {
      doc = {attrs.value("width").toString(), attrs.value("height").toString(), attrs.value("viewBox").toString(), {}};
    } else if (xml.name() == QLatin1String("polyline")) {
      const QStringList points = attrs.value("points").toString().split(' ', Qt::SkipEmptyParts);
      if (points.size() != 2) continue;
      const QStringList a = points[0].split(','), b = points[1].split(',');
      doc.Lines.push_back({a[0].toDouble(), a[1].toDouble(), b[0].toDouble(), b[1].toDouble()});
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

}  // namespace lumora::testing
