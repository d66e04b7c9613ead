#include "tools/art/ImageFiles.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void InfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 3780);  // 96 dpi
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const PixelView& image) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    InfoHeader(out, image.width, image.height, 24, imageSize);
    for (int y = image.height - 1; y >= 0; --y) {  // bottom-up
        const size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.At(x, y);
            out.push_back(static_cast<uint8_t>(p));
            out.push_back(static_cast<uint8_t>(p >> 8));
            out.push_back(static_cast<uint8_t>(p >> 16));
        }
        out.resize(start + rowBytes, 0);
    }
    return out;
}

std::vector<uint8_t> EncodeIco(const std::vector<PixelView>& images) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const PixelView& image : images) {
        const uint32_t maskRow = ((static_cast<uint32_t>(image.width) + 31) / 32) * 4;
        std::vector<uint8_t> body;
        // The height in an icon's header counts the colour rows and the mask rows.
        InfoHeader(body, image.width, image.height * 2, 32,
                   static_cast<uint32_t>(image.width * image.height * 4) + maskRow * static_cast<uint32_t>(image.height));
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x) Put32(body, image.At(x, y));
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < image.width; ++x)
                if ((image.At(x, y) >> 24) == 0) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            body.insert(body.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(body));
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].width >= 256 ? 0 : images[i].width));
        out.push_back(static_cast<uint8_t>(images[i].height >= 256 ? 0 : images[i].height));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}
