// PngImage: a PNG file read into straight (not premultiplied) RGBA bytes for pixel probes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba8
{
    uint8_t r, g, b, a;
};

class PngImage
{
public:
    /// Reads `path`; ok() is false (and the image empty) when it cannot be read. [main]
    explicit PngImage(const std::string& path);

    bool ok() const { return m_bOk; }
    int width() const { return m_nWidth; }
    int height() const { return m_nHeight; }

    /// The pixel at (x, y); the caller keeps x and y inside the image. [main]
    Rgba8 at(int x, int y) const { return m_pixels[static_cast<size_t>(y * m_nWidth + x)]; }

    /// Luminance 0..255 of the pixel at (x, y) as it shows over the editor's grey panel. [main]
    double lumaOverPanel(int x, int y) const;

private:
    bool m_bOk = false;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<Rgba8> m_pixels;
};
