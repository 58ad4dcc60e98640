#include "view/qt/drawing_painter.h"

#include <QColor>
#include <QLineF>
#include <QPainter>
#include <QPen>

namespace lumora {

void PaintDrawing(QPainter& painter, const std::vector<DrawnLine>& lines, DeviceScale scale) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (const DrawnLine& line : lines) {
    QPen pen(QColor::fromRgb(line.Colour));
    pen.setWidthF(line.WidthPixels * scale.UnitsPerPixel);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QLineF(line.X1 * scale.UnitsPerMmX, line.Y1 * scale.UnitsPerMmY,
                            line.X2 * scale.UnitsPerMmX, line.Y2 * scale.UnitsPerMmY));
  }
  painter.restore();
}

}  // namespace lumora
