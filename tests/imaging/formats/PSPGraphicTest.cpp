#include "imaging/formats/PSPGraphic.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

ByteVec FileHeader(uint16_t major) {
    ByteVec out(32, 0);
    std::memcpy(out.data(), "Paint Shop Pro Image File\n\x1a", 27);
    Put16(out, major);
    Put16(out, 0);
    return out;
}

// Since version 4: "~BK\0", the id, the length; every chunk starts with its own length.
ByteVec Block(uint16_t id, const ByteVec& content) {
    ByteVec out = {'~', 'B', 'K', 0};
    Put16(out, id);
    Put32(out, uint32_t(content.size()));
    Append(out, content);
    return out;
}
ByteVec Chunk(const ByteVec& fields) {
    ByteVec out;
    Put32(out, uint32_t(4 + fields.size()));
    Append(out, fields);
    return out;
}
// Version 3: the block header also states the length of the leading chunk.
ByteVec Block3(uint16_t id, const ByteVec& chunk, const ByteVec& rest) {
    ByteVec out = {'~', 'B', 'K', 0};
    Put16(out, id);
    Put32(out, uint32_t(chunk.size()));
    Put32(out, uint32_t(chunk.size() + rest.size()));
    Append(out, chunk);
    Append(out, rest);
    return out;
}

ByteVec Attributes(int32_t width, int32_t height, uint16_t compression, uint16_t depth, bool grey) {
    ByteVec f;
    Put32(f, uint32_t(width));
    Put32(f, uint32_t(height));
    f.resize(f.size() + 9, 0);  // resolution and its unit
    Put16(f, compression);
    Put16(f, depth);
    Put16(f, 1);
    Put32(f, depth <= 8 ? 1u << depth : 1u << 24);
    f.push_back(grey ? 1 : 0);
    Put32(f, 0);
    Put32(f, 0);
    Put16(f, 1);
    return f;
}

// A channel's fields: stored and unpacked length, bitmap kind (0 the picture, 5 a thumbnail),
// channel (0 indices or grey, 1 red, 2 green, 3 blue).
ByteVec ChannelFields(size_t stored, size_t unpacked, uint16_t bitmap, uint16_t channel) {
    ByteVec f;
    Put32(f, uint32_t(stored));
    Put32(f, uint32_t(unpacked));
    Put16(f, bitmap);
    Put16(f, channel);
    return f;
}

// Rows padded to four bytes.
ByteVec Padded(const ByteVec& samples, size_t width) {
    ByteVec out;
    for (size_t i = 0; i < samples.size(); i += width) {
        out.insert(out.end(), samples.begin() + ptrdiff_t(i),
                   samples.begin() + ptrdiff_t(i + width));
        out.resize((out.size() + 3) & ~size_t(3), 0);
    }
    return out;
}

// Runs: a count above 128 repeats the next byte count - 128 times, others are literals.
ByteVec RunLength(const ByteVec& raw) {
    ByteVec out;
    for (size_t i = 0; i < raw.size();) {
        size_t n = 1;
        while (i + n < raw.size() && raw[i + n] == raw[i] && n < 127) ++n;
        if (n > 1)
            Append(out, {uint8_t(128 + n), raw[i]});
        else
            Append(out, {1, raw[i]});
        i += n;
    }
    return out;
}

ByteVec Deflate(const ByteVec& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    ByteVec out(size);
    compress(out.data(), &size, raw.data(), uLong(raw.size()));
    out.resize(size);
    return out;
}

// A composite image block of the given channels, each (channel kind, stored bytes, unpacked
// length).
ByteVec CompositeImage(const std::vector<std::tuple<uint16_t, ByteVec, size_t>>& channels,
                       uint16_t bitmap = 0) {
    ByteVec fields;
    Put16(fields, 1);
    Put16(fields, uint16_t(channels.size()));
    ByteVec content = Chunk(fields);
    for (const auto& [kind, stored, unpacked] : channels) {
        ByteVec channel = Chunk(ChannelFields(stored.size(), unpacked, bitmap, kind));
        Append(channel, stored);
        Append(content, Block(5, channel));
    }
    return Block(9, content);
}

ByteVec CompositeAttributes(int32_t width, int32_t height, uint16_t depth, uint16_t compression,
                            uint16_t type) {
    ByteVec f;
    Put32(f, uint32_t(width));
    Put32(f, uint32_t(height));
    Put16(f, depth);
    Put16(f, compression);
    Put16(f, 1);
    Put32(f, 0);
    Put16(f, type);
    return Block(17, Chunk(f));
}

// A version 5 file whose composite bank holds a 1 x 1 thumbnail first and then the picture.
ByteVec CompositeFile(uint16_t depth, uint16_t compression, const ByteVec& picture,
                      const ByteVec& palette = {}, bool grey = false) {
    ByteVec out = FileHeader(5);
    Append(out, Block(0, Chunk(Attributes(3, 2, compression, depth, grey))));
    if (!palette.empty()) Append(out, palette);
    ByteVec count;
    Put32(count, 2);
    ByteVec bank = Chunk(count);
    Append(bank, CompositeAttributes(1, 1, 24, 0, 1));
    Append(bank, CompositeAttributes(3, 2, depth, compression, 0));
    Append(bank,
           CompositeImage({{1, {9, 9, 9, 9}, 4}, {2, {9, 9, 9, 9}, 4}, {3, {9, 9, 9, 9}, 4}}, 5));
    Append(bank, picture);
    Append(out, Block(16, bank));
    return out;
}

ByteVec PaletteBlock(const std::vector<Pixel>& colours) {
    ByteVec count;
    Put32(count, uint32_t(colours.size()));
    ByteVec content = Chunk(count);
    for (Pixel p : colours) Append(content, {PixelBlue(p), PixelGreen(p), PixelRed(p), 0});
    return Block(2, content);
}

std::vector<std::tuple<uint16_t, ByteVec, size_t>> RgbChannels(ByteVec (*pack)(const ByteVec&)) {
    std::vector<std::tuple<uint16_t, ByteVec, size_t>> channels;
    for (uint16_t kind : {1, 2, 3}) {
        const ByteVec plane = Padded(Channel(Picture3x2, 24 - 8 * kind), 3);
        channels.emplace_back(kind, pack(plane), plane.size());
    }
    return channels;
}

ByteVec Same(const ByteVec& b) {
    return b;
}

// A version 3 file without a composite: one raster layer of 2 x 2 at (1, 0) on a 3 x 2 canvas.
ByteVec LayerFile3(int32_t canvasWidth = 3, int32_t canvasHeight = 2) {
    ByteVec out = FileHeader(3);
    ByteVec attributes = Attributes(canvasWidth, canvasHeight, 0, 24, false);
    Append(out, Block3(0, attributes, {}));
    ByteVec info(256, 0);
    std::memcpy(info.data(), "Background", 10);
    info.push_back(0);  // a normal layer
    for (int32_t v : {1, 0, 3, 2, 1, 0, 3, 2}) Put32(info, uint32_t(v));
    info.resize(375, 0);
    ByteVec channels;
    const PixelRows layer = {{Red, Green}, {Blue, White}};
    for (uint16_t kind : {1, 2, 3}) {
        const ByteVec plane = Channel(layer, 24 - 8 * kind);
        ByteVec fields;
        Put32(fields, uint32_t(plane.size()));
        Put32(fields, uint32_t(plane.size()));
        Put16(fields, 0);
        Put16(fields, kind);
        Append(channels, Block3(5, fields, plane));
    }
    Append(out, Block3(3, {}, Block3(4, info, channels)));
    return out;
}

TEST(TPSPGraphic, DecodesTheCompositeOrTheFirstLayer) {
    const std::vector<Pixel> six = {Black, Red, Green, Blue, White, Grey};
    const ByteVec indices = Padded({1, 2, 3, 4, 0, 5}, 3);
    const ByteVec greys = Padded({0, 0x80, 0xFF, 0xFF, 0x80, 0}, 3);
    const struct {
        const char* Name;
        ByteVec Bytes;
        PixelRows Expected;
    } cases[] = {
        {"CompositeRgbRunLength", CompositeFile(24, 1, CompositeImage(RgbChannels(RunLength))),
         Picture3x2},
        {"CompositeRgbRaw", CompositeFile(24, 0, CompositeImage(RgbChannels(Same))), Picture3x2},
        {"CompositeIndexedLZ77",
         CompositeFile(8, 2, CompositeImage({{0, Deflate(indices), indices.size()}}),
                       PaletteBlock(six)),
         Picture3x2},
        {"CompositeGrey",
         CompositeFile(8, 0, CompositeImage({{0, greys, greys.size()}}), {}, true),
         {{Black, Grey, White}, {White, Grey, Black}}},
        {"FirstLayerOfVersion3", LayerFile3(), {{White, Red, Green}, {White, Blue, White}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        KeepAsSeed("psp", std::string(c.Name) + ".psp", c.Bytes);
        EXPECT_EQ(DecodeAs<TPSPGraphic>(c.Bytes), c.Expected);
    }
}

TEST(TPSPGraphic, DecodesAJpegComposite) {
    ByteVec fields;
    const ByteVec jpeg = EncodeJpeg(Bitmap32(3, 2, 0x3366CC), false, 100);
    Put32(fields, uint32_t(jpeg.size()));
    Put32(fields, 18);
    Put16(fields, 0);
    ByteVec content = Chunk(fields);
    Append(content, jpeg);
    const ByteVec file = CompositeFile(24, 3, Block(18, content));
    KeepAsSeed("psp", "CompositeJpeg.psp", file);
    const PixelRows rows = DecodeAs<TPSPGraphic>(file);
    EXPECT_LE(MaxChannelDifference(rows, PixelRows(2, std::vector<Pixel>(3, 0x3366CC))), 3);
}

TEST(TPSPGraphic, BadFilesGetTheirMessages) {
    const ByteVec good = CompositeFile(24, 1, CompositeImage(RgbChannels(RunLength)));
    const std::string invalid =
        "Cannot load image. Invalid or unexpected Paintshop Pro image format.";
    const std::string readError = "Stream read error in Paintshop Pro file.";
    ByteVec old = good;
    old[32] = 2;
    ByteVec noAttributes = FileHeader(5);
    Append(noAttributes, PaletteBlock({Red}));
    const ByteVec indices = Padded({1, 2, 3, 4, 0, 5}, 3);
    ByteVec badDeflate = Deflate(indices);
    badDeflate[3] ^= 0xFF;
    ByteVec hugeAttributes = FileHeader(5);
    Append(hugeAttributes, Block(0, Chunk(Attributes(16384, 16384, 1, 8, true))));
    ByteVec count;
    Put32(count, 1);
    ByteVec bank = Chunk(count);
    Append(bank, CompositeAttributes(16384, 16384, 8, 1, 0));
    Append(bank, CompositeImage({{0, ByteVec(300, 0xFF), 16384 * 16384}}));
    Append(hugeAttributes, Block(16, bank));
    const TBadFile cases[] = {
        {"Cut", ByteVec(good.begin(), good.end() - 3), readError},
        {"NotPsp", ByteVec(good.begin() + 1, good.end()), invalid},
        {"Version2", old, "Cannot load image. Version 2 not supported for Paintshop Pro files."},
        {"NoAttributes", noAttributes, invalid},
        {"Deep48", CompositeFile(48, 0, CompositeImage(RgbChannels(Same))),
         "Cannot load image. 48-bit pictures not supported for Paintshop Pro files."},
        {"BrokenLZ77", CompositeFile(8, 2, CompositeImage({{0, badDeflate, indices.size()}})),
         "LZ77 decompression error."},
        {"RunsCut",
         CompositeFile(24, 1, CompositeImage({{1, {131}, 12}, {2, {131}, 12}, {3, {131}, 12}})),
         readError},
        {"Huge", hugeAttributes, readError},
        // A layer of 2 x 2 pixels on a canvas of 2^28.
        {"HugeCanvas", LayerFile3(16384, 16384), readError},
    };
    ExpectRefusals<TPSPGraphic>(cases);
}

}  // namespace
}  // namespace corvane
