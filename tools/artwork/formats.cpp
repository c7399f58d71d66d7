// Writes BMP, CUR and ICO byte by byte, little-endian, rows bottom-up.
#include "formats.h"

#include <limits>
#include <stdexcept>

namespace art {
namespace {

class Writer {
public:
    explicit Writer(Bytes& out) : m_out(out) {}
    void U8(unsigned v) { m_out.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v)
    {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Append(const Bytes& bytes) { m_out.insert(m_out.end(), bytes.begin(), bytes.end()); }

private:
    Bytes& m_out;
};

std::uint32_t RowBytes(int width, int bitCount) { return static_cast<std::uint32_t>((width * bitCount + 31) / 32 * 4); }

std::uint32_t Size32(std::size_t n)
{
    if (n > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("picture too large");
    return static_cast<std::uint32_t>(n);
}

void InfoHeader(Writer& w, int width, int height, int bitCount, std::uint32_t imageBytes, std::int32_t pixelsPerMetre)
{
    w.U32(40);
    w.I32(width);
    w.I32(height);
    w.U16(1);
    w.U16(static_cast<unsigned>(bitCount));
    w.U32(0); // BI_RGB
    w.U32(imageBytes);
    w.I32(pixelsPerMetre);
    w.I32(pixelsPerMetre);
    w.U32(0);
    w.U32(0);
}

// Packs rows of 1-bit values, top row given first, into bottom-up padded rows.
template <class BitAt>
Bytes MonoPlane(int width, int height, BitAt bitAt)
{
    const std::uint32_t stride = RowBytes(width, 1);
    Bytes plane(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = plane.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x)
            if (bitAt(x, y))
                row[x / 8] = static_cast<std::uint8_t>(row[x / 8] | (0x80 >> (x % 8)));
    }
    return plane;
}

bool Transparent(const Rgba& p) { return p.a < 128; }

Bytes AndMask(const RgbaImage& picture)
{
    return MonoPlane(picture.Width(), picture.Height(),
                     [&](int x, int y) { return Transparent(picture.At(x, y)); });
}

void CheckSquare(const RgbaImage& picture)
{
    if (picture.Width() != picture.Height() || picture.Width() > 255 || picture.Width() < 1)
        throw std::invalid_argument("icon images are square and at most 255 pixels");
}

} // namespace

Bytes EncodeBmp24(const RgbImage& image)
{
    const std::uint32_t stride = RowBytes(image.Width(), 24);
    const std::uint32_t imageBytes = Size32(static_cast<std::size_t>(stride) * image.Height());
    Bytes out;
    Writer w(out);
    w.U8('B');
    w.U8('M');
    w.U32(14 + 40 + imageBytes);
    w.U32(0);
    w.U32(14 + 40);
    InfoHeader(w, image.Width(), image.Height(), 24, imageBytes, 3780); // 96 dpi
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb& p = image.At(x, y);
            w.U8(p.b);
            w.U8(p.g);
            w.U8(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.Width()) * 3; pad < stride; ++pad)
            w.U8(0);
    }
    return out;
}

Bytes EncodeCursor(const MonoArt& art, int hotspotX, int hotspotY)
{
    constexpr int kSize = 32;
    if (art.size() > kSize)
        throw std::invalid_argument("cursor art taller than 32 rows");
    auto cell = [&](int x, int y) -> char {
        if (y >= static_cast<int>(art.size()) || x >= static_cast<int>(art[y].size()))
            return '.';
        const char c = art[y][x];
        if (c != '.' && c != '#' && c != 'o')
            throw std::invalid_argument(std::string("unknown cursor art character '") + c + "'");
        return c;
    };
    for (const std::string& row : art)
        if (row.size() > kSize)
            throw std::invalid_argument("cursor art wider than 32 columns");

    // Screen = (screen AND mask) XOR colour: transparent is mask 1 / colour 0,
    // black 0/0, white 0/1.
    const Bytes xorPlane = MonoPlane(kSize, kSize, [&](int x, int y) { return cell(x, y) == 'o'; });
    const Bytes andPlane = MonoPlane(kSize, kSize, [&](int x, int y) { return cell(x, y) == '.'; });

    Bytes image;
    Writer iw(image);
    InfoHeader(iw, kSize, kSize * 2, 1, Size32(xorPlane.size() + andPlane.size()), 0);
    iw.U32(0x00000000); // palette: black
    iw.U32(0x00FFFFFF); //          white
    iw.Append(xorPlane);
    iw.Append(andPlane);

    Bytes out;
    Writer w(out);
    w.U16(0);
    w.U16(2); // cursor
    w.U16(1);
    w.U8(kSize);
    w.U8(kSize);
    w.U8(0);
    w.U8(0);
    w.U16(static_cast<unsigned>(hotspotX));
    w.U16(static_cast<unsigned>(hotspotY));
    w.U32(Size32(image.size()));
    w.U32(6 + 16);
    w.Append(image);
    return out;
}

std::size_t NearestEntry(const std::vector<Rgb>& palette, Rgb colour)
{
    // Lightness weighs double and the two colour differences once, so a dark
    // grey finds a grey rather than a dark blue.
    struct Lum {
        double y, u, v;
    };
    auto lum = [](Rgb c) {
        const double y = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
        return Lum{y, c.b - y, c.r - y};
    };
    const Lum target = lum(colour);
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const Lum entry = lum(palette[i]);
        const double dy = entry.y - target.y, du = entry.u - target.u, dv = entry.v - target.v;
        const double distance = 2 * dy * dy + du * du + dv * dv;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

IconImage EncodeIconIndexed(const RgbaImage& picture, const std::vector<Rgb>& palette, int bitCount)
{
    CheckSquare(picture);
    if ((bitCount != 4 && bitCount != 8) || palette.size() != (1u << bitCount))
        throw std::invalid_argument("indexed icons are 4 or 8 bits with a full palette");
    const int size = picture.Width();
    const std::uint32_t stride = RowBytes(size, bitCount);
    Bytes xorPlane(stride * size, 0);
    for (int y = 0; y < size; ++y) {
        std::uint8_t* row = xorPlane.data() + static_cast<std::size_t>(size - 1 - y) * stride;
        for (int x = 0; x < size; ++x) {
            const Rgba& p = picture.At(x, y);
            // Transparent pixels keep index 0 (black) so the mask alone decides.
            const std::size_t index = Transparent(p) ? 0 : NearestEntry(palette, Rgb{p.r, p.g, p.b});
            if (bitCount == 8)
                row[x] = static_cast<std::uint8_t>(index);
            else
                row[x / 2] = static_cast<std::uint8_t>(row[x / 2] | (x % 2 ? index : index << 4));
        }
    }
    const Bytes andPlane = AndMask(picture);

    IconImage image{size, bitCount, {}};
    Writer w(image.dib);
    InfoHeader(w, size, size * 2, bitCount, Size32(xorPlane.size() + andPlane.size()), 0);
    for (const Rgb& c : palette) {
        w.U8(c.b);
        w.U8(c.g);
        w.U8(c.r);
        w.U8(0);
    }
    w.Append(xorPlane);
    w.Append(andPlane);
    return image;
}

IconImage EncodeIcon32(const RgbaImage& picture)
{
    CheckSquare(picture);
    const int size = picture.Width();
    const Bytes andPlane = AndMask(picture);
    IconImage image{size, 32, {}};
    Writer w(image.dib);
    InfoHeader(w, size, size * 2, 32, Size32(size * size * 4 + andPlane.size()), 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba& p = picture.At(x, y);
            // Fully clear pixels are stored as zero so the bits are tidy.
            w.U8(p.a ? p.b : 0);
            w.U8(p.a ? p.g : 0);
            w.U8(p.a ? p.r : 0);
            w.U8(p.a);
        }
    }
    w.Append(andPlane);
    return image;
}

namespace {

void DirectoryEntryHead(Writer& w, const IconImage& image)
{
    w.U8(static_cast<unsigned>(image.size));
    w.U8(static_cast<unsigned>(image.size));
    w.U8(image.bitCount < 8 ? 1u << image.bitCount : 0u);
    w.U8(0);
    w.U16(1);
    w.U16(static_cast<unsigned>(image.bitCount));
    w.U32(Size32(image.dib.size()));
}

} // namespace

Bytes EncodeIco(const std::vector<IconImage>& images)
{
    Bytes out;
    Writer w(out);
    w.U16(0);
    w.U16(1); // icon
    w.U16(static_cast<unsigned>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (const IconImage& image : images) {
        DirectoryEntryHead(w, image);
        w.U32(Size32(offset));
        offset += image.dib.size();
    }
    for (const IconImage& image : images)
        w.Append(image.dib);
    return out;
}

Bytes EncodeIconGroup(const std::vector<IconImage>& images, int firstId)
{
    Bytes out;
    Writer w(out);
    w.U16(0);
    w.U16(1);
    w.U16(static_cast<unsigned>(images.size()));
    int id = firstId;
    for (const IconImage& image : images) {
        DirectoryEntryHead(w, image);
        w.U16(static_cast<unsigned>(id++));
    }
    return out;
}

} // namespace art
