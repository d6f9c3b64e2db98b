// Draws the illustrations of the networking help pages into the folder named on the command
// line: a connection's sharing setting and the network settings inside Mac OS X.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

const QColor kFace(236, 236, 236);
const QColor kTitleBlue(40, 90, 170);

// A window with a title bar; gives the painter's client rectangle.
QRect drawWindow(QPainter& p, const QRect& r, const QString& title) {
    p.fillRect(r, kFace);
    p.setPen(Qt::darkGray);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect bar(r.left(), r.top(), r.width(), 24);
    p.fillRect(bar, kTitleBlue);
    p.setPen(Qt::white);
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(bar.adjusted(8, 0, 0, 0), Qt::AlignVCenter, title);
    p.setFont(QFont());
    p.setPen(Qt::black);
    return r.adjusted(10, 32, -10, -10);
}

void drawButton(QPainter& p, const QRect& r, const QString& text) {
    p.setBrush(Qt::white);
    p.setPen(Qt::gray);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, text);
}

void drawCheckBox(QPainter& p, const QPoint& at, bool checked, const QString& text, int width) {
    const QRect box(at.x(), at.y() + 2, 13, 13);
    p.setBrush(Qt::white);
    p.setPen(Qt::black);
    p.drawRect(box);
    if (checked) {
        p.setPen(QPen(kTitleBlue, 2));
        p.drawPolyline(QPolygon({box.topLeft() + QPoint(3, 6), box.topLeft() + QPoint(6, 10),
                                 box.topLeft() + QPoint(11, 2)}));
        p.setPen(Qt::black);
    }
    p.drawText(QRect(at.x() + 20, at.y(), width - 20, 40), Qt::TextWordWrap, text);
}

// A red ring drawn around what the reader is to look at.
void drawMark(QPainter& p, const QRect& r) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 30, 30), 3));
    p.drawRoundedRect(r, 8, 8);
    p.setPen(Qt::black);
}

QImage sharingPicture() {
    QImage image(440, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect client = drawWindow(p, image.rect(), "Local Area Connection Properties");
    drawButton(p, QRect(client.left(), client.top(), 70, 22), "General");
    drawButton(p, QRect(client.left() + 74, client.top(), 76, 22), "Advanced");
    drawMark(p, QRect(client.left() + 70, client.top() - 4, 84, 30));
    const QRect group(client.left(), client.top() + 34, client.width(), 150);
    p.setBrush(Qt::NoBrush);
    p.drawRect(group);
    p.drawText(group.adjusted(10, 8, 0, 0), "Internet Connection Sharing");
    drawCheckBox(p, group.topLeft() + QPoint(14, 38), true,
                 "Allow other network users to connect through this computer's Internet "
                 "connection",
                 group.width() - 30);
    drawMark(p, QRect(group.left() + 6, group.top() + 32, group.width() - 12, 44));
    drawCheckBox(p, group.topLeft() + QPoint(14, 92), false,
                 "Allow other network users to control the shared connection", group.width() - 30);
    drawButton(p, QRect(client.right() - 160, client.bottom() - 26, 74, 24), "OK");
    drawButton(p, QRect(client.right() - 78, client.bottom() - 26, 74, 24), "Cancel");
    return image;
}

QImage macSettingsPicture() {
    QImage image(440, 280, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect client = drawWindow(p, image.rect(), "Network");
    p.drawText(QRect(client.left(), client.top(), client.width(), 20), Qt::AlignHCenter,
               "Show: Built-in Ethernet      Configure: Manually");
    const char* rows[][2] = {{"IP Address:", "192.168.0.2"},
                             {"Subnet Mask:", "255.255.255.0"},
                             {"Router:", "192.168.0.1"},
                             {"DNS Servers:", "your network's router"}};
    int y = client.top() + 36;
    for (const auto& [name, value] : rows) {
        p.drawText(QRect(client.left(), y, 120, 24), Qt::AlignRight | Qt::AlignVCenter, name);
        p.setBrush(Qt::white);
        p.setPen(Qt::gray);
        p.drawRect(QRect(client.left() + 130, y, 200, 24));
        p.setPen(Qt::black);
        p.drawText(QRect(client.left() + 136, y, 190, 24), Qt::AlignVCenter, value);
        y += 34;
    }
    drawMark(p, QRect(client.left() + 124, client.top() + 30, 212, 138));
    drawButton(p, QRect(client.right() - 80, client.bottom() - 26, 76, 24), "Apply Now");
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool saved = sharingPicture().save(folder.filePath("network_ics_sharing.png")) &&
                       macSettingsPicture().save(folder.filePath("mac_network_settings.png"));
    return saved ? 0 : 1;
}
