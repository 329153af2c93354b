// The names the tax administration expects, and the ZIP form it receives: an archive that a
// standard reader opens (checked here by reading its headers and inflating its data with zlib).

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>

#include "ledgernova/sat_files.h"

namespace ledgernova::testing {
namespace {

std::uint32_t read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value =
            (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    }
    return value;
}

std::uint32_t read16(const std::string& bytes, std::size_t at) {
    return read32(bytes + std::string(2, '\0'), at) & 0xFFFF;
}

std::string inflated(const std::string& data, std::size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    EXPECT_EQ(inflateInit2(&stream, -MAX_WBITS), Z_OK);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END);
    inflateEnd(&stream);
    return out;
}

TEST(SatFilesTest, NamesCarryRfcYearMonthAndKind) {
    EXPECT_EQ(sat_file_name("AAA010101AAA", 2024, 3, SatFileKind::Catalogue),
              "AAA010101AAA202403CT.xml");
    EXPECT_EQ(sat_file_name("CNO980512AB3", 2024, 12, SatFileKind::NormalBalance),
              "CNO980512AB3202412BN.xml");
    EXPECT_EQ(sat_file_name("CNO980512AB3", 2025, 1, SatFileKind::ComplementaryBalance, ".zip"),
              "CNO980512AB3202501BC.zip");
    EXPECT_EQ(sat_file_name("ÑAB010101AB1", 2024, 10, SatFileKind::Vouchers),
              "ÑAB010101AB1202410PL.xml");
}

TEST(SatFilesTest, ZipHoldsTheOneFileCompressed) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Catalogo>";
    for (int i = 0; i < 200; ++i) {
        xml += "<Ctas NumCta=\"1102-" + std::to_string(i) + "\" Desc=\"Bancos\"/>";
    }
    const std::string name = "AAA010101AAA202403CT.xml";
    const std::string zip = zip_one_file(name, xml);

    ASSERT_EQ(read32(zip, 0), 0x04034B50U);
    EXPECT_EQ(read16(zip, 8), 8U);  // deflate
    const std::uint32_t compressed = read32(zip, 18);
    EXPECT_EQ(read32(zip, 22), xml.size());
    EXPECT_LT(compressed, xml.size() / 4);
    ASSERT_EQ(read16(zip, 26), name.size());
    EXPECT_EQ(zip.substr(30, name.size()), name);
    const std::string data = zip.substr(30 + name.size(), compressed);
    EXPECT_EQ(inflated(data, xml.size()), xml);
    EXPECT_EQ(read32(zip, 14),
              crc32(0, reinterpret_cast<const Bytef*>(xml.data()), static_cast<uInt>(xml.size())));

    const std::size_t end = zip.size() - 22;
    ASSERT_EQ(read32(zip, end), 0x06054B50U);
    EXPECT_EQ(read16(zip, end + 10), 1U);  // one entry
    const std::size_t directory = read32(zip, end + 16);
    EXPECT_EQ(read32(zip, directory), 0x02014B50U);
    EXPECT_EQ(zip.substr(directory + 46, name.size()), name);
    EXPECT_EQ(zip_one_file(name, xml), zip);
}

}  // namespace
}  // namespace ledgernova::testing
