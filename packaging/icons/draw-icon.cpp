// Draws the program's icon, a bell-mouth inlet in section over its sump, at 16, 32 and
// 48 px and packs the three into inlet.ico. Build and run once when the drawing changes:
//   g++ -std=c++20 -fPIC draw-icon.cpp $(pkg-config --cflags --libs Qt6Gui) -o draw-icon
//   QT_QPA_PLATFORM=offscreen ./draw-icon

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace {

// The drawing on a 48-unit square.
QImage draw(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    const double wall = size <= 16 ? 4.5 : 3.2;

    // The sump water the pipe draws from.
    p.fillRect(QRectF(2, 30, 44, 15), QColor(0x5d, 0xa9, 0xe9));

    // The pipe's bore: straight at the top, flaring into the bell mouth.
    QPainterPath bore;
    bore.moveTo(17, 1);
    bore.lineTo(17, 14);
    bore.cubicTo(17, 26, 12, 31, 4, 33);
    bore.lineTo(44, 33);
    bore.cubicTo(36, 31, 31, 26, 31, 14);
    bore.lineTo(31, 1);
    bore.closeSubpath();
    p.fillPath(bore, QColor(0x2f, 0x80, 0xd0));

    // The two walls of the bell-mouth pipe.
    QPen steel(QColor(0x3b, 0x44, 0x4f), wall, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    p.setPen(steel);
    QPainterPath left;
    left.moveTo(17, 1);
    left.lineTo(17, 14);
    left.cubicTo(17, 26, 12, 31, 4, 33);
    QPainterPath right;
    right.moveTo(31, 1);
    right.lineTo(31, 14);
    right.cubicTo(31, 26, 36, 31, 44, 33);
    p.drawPath(left);
    p.drawPath(right);

    // The guide cone on the floor, under the middle of the mouth.
    QPainterPath cone;
    cone.moveTo(24, 35);
    cone.lineTo(30, 45);
    cone.lineTo(18, 45);
    cone.closeSubpath();
    p.fillPath(cone, QColor(0x3b, 0x44, 0x4f));

    // The floor.
    p.fillRect(QRectF(1, 44.5, 46, size <= 16 ? 3.5 : 2.5), QColor(0x3b, 0x44, 0x4f));
    return image;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void put16(QByteArray& out, int v) { out.append(char(v & 0xff)).append(char((v >> 8) & 0xff)); }
void put32(QByteArray& out, int v) { put16(out, v & 0xffff); put16(out, (v >> 16) & 0xffff); }

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const std::vector<int> sizes{16, 32, 48};
    std::vector<QByteArray> images;
    for (int size : sizes) {
        images.push_back(png(draw(size)));
        QFile file(QStringLiteral("inlet-%1.png").arg(size));
        if (!file.open(QIODevice::WriteOnly) || file.write(images.back()) != images.back().size())
            return 1;
    }
    // An icon group of PNG images: header, one directory entry per image, then the images.
    QByteArray ico;
    put16(ico, 0);
    put16(ico, 1);
    put16(ico, int(sizes.size()));
    int offset = 6 + 16 * int(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        ico.append(char(sizes[i])).append(char(sizes[i])).append(char(0)).append(char(0));
        put16(ico, 1);
        put16(ico, 32);
        put32(ico, int(images[i].size()));
        put32(ico, offset);
        offset += int(images[i].size());
    }
    for (const QByteArray& image : images) ico.append(image);
    QFile file(QStringLiteral("inlet.ico"));
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() ? 0 : 1;
}
