#include "Archive.h"

#include "Bits.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace curvix {
namespace {

using test::Bits;
using test::FromBits;

using Bytes = std::vector<unsigned char>;

// An archive over a temporary file: store into one, load from the other.
class MemoryFile {
public:
    explicit MemoryFile(const Bytes& bytes = {}) : m_file(std::tmpfile()) {
        if (!bytes.empty()) { // an empty vector's data() may be null
            std::fwrite(bytes.data(), 1, bytes.size(), m_file);
        }
        std::rewind(m_file);
        if (bytes.empty()) {
            std::fgetc(m_file); // now at its end
        }
    }
    ~MemoryFile() { std::fclose(m_file); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    std::FILE* Get() const { return m_file; }

private:
    std::FILE* m_file = nullptr;
};

Bytes Store(void (*write)(CArchive&)) {
    std::FILE* file = std::tmpfile();
    {
        CArchive archive(file, CArchive::store);
        write(archive);
        EXPECT_TRUE(archive.Flush());
    }
    Bytes bytes(static_cast<std::size_t>(std::ftell(file)));
    std::rewind(file);
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return bytes;
}

TEST(ArchiveTest, StoresIntegersLittleEndian) {
    const Bytes bytes = Store([](CArchive& ar) { ar << std::int32_t{3} << std::int32_t{-2}; });
    EXPECT_EQ(bytes, (Bytes{0x03, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(ArchiveTest, StoresFloatsAsTheirBitPatterns) {
    const Bytes bytes = Store([](CArchive& ar) { ar << 0.1F << -10.0F; });
    EXPECT_EQ(bytes, (Bytes{0xCD, 0xCC, 0xCC, 0x3D, 0x00, 0x00, 0x20, 0xC1}));
}

TEST(ArchiveTest, LoadsEveryFloatBitForBit) {
    const std::uint32_t patterns[] = {0x80000000U, 0x7FC00000U, 0x7FC12345U, 0x7F800001U,
                                      0xFFFFFFFFU, 0x00000001U, 0x807FFFFFU, 0x7F800000U,
                                      0xFF800000U, 0x7F7FFFFFU, 0x3DCCCCCDU};
    for (const std::uint32_t bits : patterns) {
        MemoryFile file(
            Bytes{static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                  static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)});
        CArchive archive(file.Get(), CArchive::load);
        float value = 1.0F;
        archive >> value;
        EXPECT_FALSE(archive.Failed());
        EXPECT_EQ(Bits(value), bits) << std::hex << bits;
    }
}

TEST(ArchiveTest, StoresNaNPayloadsUnchanged) {
    static float value;
    value = FromBits(0x7FA00001U); // signalling NaN with a payload
    const Bytes bytes = Store([](CArchive& ar) { ar << value; });
    EXPECT_EQ(bytes, (Bytes{0x01, 0x00, 0xA0, 0x7F}));
}

TEST(ArchiveTest, ReadPastTheEndIsAnEndOfFileErrorThatSticks) {
    MemoryFile file(Bytes{1, 0, 0, 0, 2, 0});
    CArchive archive(file.Get(), CArchive::load);
    std::int32_t first = 0;
    std::int32_t second = 7;
    archive >> first;
    EXPECT_EQ(first, 1);
    EXPECT_FALSE(archive.Failed());
    archive >> second;
    EXPECT_EQ(archive.GetError(), CArchive::Error::endOfFile);
    EXPECT_EQ(second, 0);
    float after = 5.0F;
    archive >> after;
    EXPECT_EQ(after, 0.0F);
    EXPECT_EQ(archive.GetError(), CArchive::Error::endOfFile);
}

TEST(ArchiveTest, ShortRawReadIsNoError) {
    MemoryFile file(Bytes{'a', 'b'});
    CArchive archive(file.Get(), CArchive::load);
    EXPECT_EQ(archive.ReadUpTo(5), "ab");
    EXPECT_FALSE(archive.Failed());
}

TEST(ArchiveTest, HugeRawReadAllocatesOnlyWhatTheFileHolds) {
    MemoryFile file(Bytes(70000, 'z'));
    CArchive archive(file.Get(), CArchive::load);
    const std::string bytes = archive.ReadUpTo(std::int64_t{1} << 40);
    EXPECT_EQ(bytes.size(), 70000U);
    EXPECT_LT(bytes.capacity(), 300000U);
}

TEST(ArchiveTest, FirstErrorIsKept) {
    MemoryFile file;
    CArchive archive(file.Get(), CArchive::load);
    archive.SetError(CArchive::Error::badFormat);
    std::int32_t value = 0;
    archive >> value;
    EXPECT_EQ(archive.GetError(), CArchive::Error::badFormat);
}

TEST(ArchiveTest, FailedWriteIsReported) {
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (full == nullptr) {
        GTEST_SKIP() << "no /dev/full";
    }
    {
        CArchive archive(full, CArchive::store);
        archive << std::int32_t{1};
        EXPECT_FALSE(archive.Flush());
        EXPECT_EQ(archive.GetError(), CArchive::Error::writeFailed);
        EXPECT_NE(archive.GetSystemError(), 0);
    }
    std::fclose(full);
}

} // namespace
} // namespace curvix
