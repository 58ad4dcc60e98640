#include "view/qt/drawing_painter.h"

#include <QColor>
#include <QLineF>
#include <QPainter>
#include <QPen>

namespace lumora {

void paintDrawing(QPainter& painter, const std::vector<DrawnLine>& lines, DeviceScale scale) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (const DrawnLine& line : lines) {
    QPen pen(QColor::fromRgb(line.colour));
    pen.setWidthF(line.widthPixels * scale.unitsPerPixel);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QLineF(line.x1 * scale.unitsPerMmX, line.y1 * scale.unitsPerMmY,
                            line.x2 * scale.unitsPerMmX, line.y2 * scale.unitsPerMmY));
  }
  painter.restore();
}

}  // namespace lumora
