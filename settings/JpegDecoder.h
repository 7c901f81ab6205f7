// JPEG decoding through libjpeg's own API: baseline and progressive files, colour or grey, into an
// RGB image. A damaged or truncated file is refused with libjpeg's reason.
#pragma once

#include <QByteArray>
#include <QImage>

#include <stdexcept>

class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class JpegDecoder {
public:
    // Throws JpegError when the bytes are not a whole JPEG image.
    static QImage decode(const QByteArray& bytes);
};
