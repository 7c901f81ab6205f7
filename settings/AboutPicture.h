// The about window's own picture: JPEG bytes drawn and compressed at build time
// (tools/MakeAboutPicture.cpp). Its top 24 rows are the flat colour (32, 64, 128).
#pragma once

#include <cstddef>

extern const unsigned char kAboutPictureJpeg[];
extern const std::size_t kAboutPictureJpegSize;
