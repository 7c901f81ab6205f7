// Build tool: draws the about window's picture (a ledger book with a stack of coins) and writes it
// as JPEG bytes into a C++ source, so the window carries its own picture. Usage:
//   zelmar-about-picture <output.cpp>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace {

// The top band is one flat colour, so a decoder can be checked against a known pixel.
const QColor kBand(32, 64, 128);

QImage drawPicture() {
    QImage image(178, 210, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 210);
    sky.setColorAt(0, kBand);
    sky.setColorAt(1, QColor(120, 170, 220));
    p.fillRect(image.rect(), sky);
    p.fillRect(0, 0, 178, 24, kBand);

    // The ledger: a cover, the pages and their ruled lines.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 60, 30));
    p.drawRoundedRect(QRectF(22, 40, 120, 140), 8, 8);
    p.setBrush(QColor(250, 248, 235));
    p.drawRect(QRectF(32, 48, 102, 124));
    p.setPen(QPen(QColor(150, 170, 200), 2));
    for (int y = 64; y < 168; y += 12)
        p.drawLine(40, y, 126, y);
    p.setPen(QPen(QColor(200, 60, 60), 2));
    p.drawLine(60, 52, 60, 168);

    // The coins in front of the book.
    for (int i = 0; i < 4; ++i) {
        const QRectF coin(104, 166 - i * 10, 56, 22);
        p.setPen(QPen(QColor(150, 110, 20), 2));
        p.setBrush(QColor(235, 190, 60));
        p.drawEllipse(coin);
    }
    p.end();
    return image;
}

std::vector<unsigned char> compress(const QImage& image) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelmar-about-picture <output.cpp>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::vector<unsigned char> bytes = compress(drawPicture());
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "// Written by zelmar-about-picture: the about window's picture, JPEG.\n");
    std::fprintf(out, "#include \"settings/AboutPicture.h\"\n\nconst unsigned char kAboutPictureJpeg[] = {");
    for (std::size_t i = 0; i < bytes.size(); ++i)
        std::fprintf(out, "%s%u,", i % 20 == 0 ? "\n    " : "", unsigned(bytes[i]));
    std::fprintf(out, "\n};\nconst std::size_t kAboutPictureJpegSize = %zu;\n", bytes.size());
    return std::fclose(out) == 0 ? 0 : 1;
}
