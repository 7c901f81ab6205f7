#include "settings/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back into
// decode() with the library's message. Warnings (a premature end of data among them) are made fatal
// too, so a truncated file is refused rather than shown half grey.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->back, 1);
}

void emitMessage(j_common_ptr info, int level) {
    if (level < 0)
        errorExit(info);
}

} // namespace

// Everything the jump may cross lives before setjmp, so no destructor is skipped.
QImage JpegDecoder::decode(const QByteArray& bytes) {
    if (bytes.isEmpty())
        throw JpegError("no JPEG data");
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = errorExit;
    errors.base.emit_message = emitMessage;
    if (setjmp(errors.back)) {
        jpeg_destroy_decompress(&info);
        throw JpegError(errors.message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        throw JpegError("CMYK JPEG images are not supported");
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        throw JpegError("the JPEG image is too large");
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}
