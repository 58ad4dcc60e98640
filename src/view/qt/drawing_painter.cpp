#include "view/qt/drawing_painter.h"

#include <algorithm>

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>

namespace lumora {

void paintDrawing(QPainter& painter, const MillimetreSurface& drawing, DeviceScale scale) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (const DrawnLine& line : drawing.lines()) {
    QPen pen(QColor::fromRgb(line.colour));
    pen.setWidthF(line.widthPixels * scale.unitsPerPixel);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QLineF(line.x1 * scale.unitsPerMmX, line.y1 * scale.unitsPerMmY,
                            line.x2 * scale.unitsPerMmX, line.y2 * scale.unitsPerMmY));
  }
  // The font is sized in the painter's units, so a caption is as high on paper as on screen.
  QFont font = painter.font();
  font.setPixelSize(std::max(1, qRound(kCaptionHeightMm * scale.unitsPerMmY)));
  painter.setFont(font);
  for (const DrawnCaption& caption : drawing.captions()) {
    painter.setPen(QColor::fromRgb(caption.colour));
    const QPointF middle(caption.x * scale.unitsPerMmX, caption.y * scale.unitsPerMmY);
    const double half = kCaptionHeightMm * scale.unitsPerMmY * 8;  // room for a short caption
    painter.drawText(QRectF(middle.x() - half, middle.y() - half, 2 * half, 2 * half), Qt::AlignCenter | Qt::TextDontClip,
                     QString::fromLatin1(caption.text.data(), static_cast<qsizetype>(caption.text.size())));
  }
  painter.restore();
}

}  // namespace lumora
