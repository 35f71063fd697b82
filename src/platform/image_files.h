#pragma once
// Pictures the program saves go through a temporary file like every other
// file it writes.
#include <QImage>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QPainter;

namespace daxo::platform {

// Writes `image` in `format` ("BMP"); throws FileError naming the file and
// the reason.
void saveImageSafely(const QImage& image, const std::filesystem::path& path, const char* format);

// Pictures fit for a paper: one drawing as a high-resolution PNG, or as
// vector SVG or PDF.
enum class PictureFormat { Png, Svg, Pdf };
// By the file's extension, in any letter case; none for another one.
std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& path);

// PNG pictures are drawn at this many times their size (288 dpi).
inline constexpr int kPngScale = 3;

// Draws into a page of `size` pixels at 96 dpi, on white, and writes it as
// `format`. Throws FileError when the picture cannot be made or written.
using PictureDrawing = std::function<void(QPainter&)>;
void writePicture(const std::filesystem::path& path, PictureFormat format, QSize size, const std::string& title,
                  const PictureDrawing& draw);

} // namespace daxo::platform
